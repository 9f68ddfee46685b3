#include "core/LockSession.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/MonitorLayout.h"

namespace velmora {
namespace {

// Records every call by name; the calls named in `failing` throw after being recorded.
class RecordingHost : public LockHost {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> failing;
  PromptAnswer answer;

  void SetLockHeld(bool held) override { Call(held ? "held" : "released"); }
  void HideOwnerWindow(bool hidden) override { Call(hidden ? "hide owner" : "show owner"); }
  void HideTaskbar(bool hidden) override { Call(hidden ? "hide taskbar" : "show taskbar"); }
  void LockKeys() override { Call("lock keys"); }
  void UnlockKeys() override { Call("unlock keys"); }
  void CoverMonitors() override { Call("cover"); }
  void UncoverMonitors() override { Call("uncover"); }
  void SavePointer() override { Call("save pointer"); }
  void RestorePointer() override { Call("restore pointer"); }
  void Arm() override { Call("arm"); }
  void Disarm() override { Call("disarm"); }
  void StartGuard() override { Call("start guard"); }
  void StopGuard() override { Call("stop guard"); }
  void StopAnimation() override { Call("stop animation"); }
  void StartAnimation() override { Call("start animation"); }
  PromptAnswer Ask() override {
    Call("ask");
    return answer;
  }
  void TakeMessage(const PromptAnswer&) override { Call("take message"); }
  bool SystemAllows() override {
    Call("system");
    return true;
  }
  void Beep() override { Call("beep"); }
  void FocusLock() override { Call("focus"); }
  void ProcessMessages() override { Call("process"); }
  void Pause(unsigned milliseconds) override { Call("pause " + std::to_string(milliseconds)); }

  std::vector<std::string> Take() { return std::exchange(calls, {}); }

 private:
  void Call(const std::string& name) {
    calls.push_back(name);
    for (const std::string& failure : failing) {
      if (failure == name) throw std::runtime_error(name);
    }
  }
};

using Calls = std::vector<std::string>;

TEST(LockSession, TakesInOrderAndGivesBackOnceInReverse) {
  RecordingHost host;
  {
    LockSession session(host);
    session.Take();
    session.Take();
    EXPECT_EQ(host.Take(), (Calls{"held", "hide owner", "hide taskbar", "lock keys", "cover", "save pointer", "arm",
                                  "start guard"}));
    EXPECT_TRUE(session.Holding());
    session.GiveBack();
    session.GiveBack();
    EXPECT_EQ(host.Take(), (Calls{"stop guard", "disarm", "uncover", "unlock keys", "show taskbar", "show owner",
                                  "released"}));
    session.Take();
    host.Take();
  }
  EXPECT_EQ(host.calls.size(), 7u) << "the end of the session gives back what it still holds";
}

TEST(LockSession, AFailedTakeIsNotGivenBackAndAFailedGiveBackKeepsNoOther) {
  RecordingHost host;
  host.failing = {"lock keys", "uncover"};
  LockSession session(host);
  session.Take();
  EXPECT_EQ(host.Take().back(), "start guard") << "the steps after a failure are still taken";
  session.GiveBack();
  EXPECT_EQ(host.Take(), (Calls{"stop guard", "disarm", "uncover", "show taskbar", "show owner", "released"}));
}

TEST(LockSession, AFailureWhileAskingIsARefusalThatArmsAgainLast) {
  RecordingHost host;
  host.failing = {"ask"};
  LockSession session(host);
  session.Take();
  host.Take();
  EXPECT_FALSE(session.RequestUnlock(UnlockRules{"secret", false, "", true}));
  EXPECT_EQ(host.Take(), (Calls{"stop animation", "disarm", "ask", "beep", "focus", "process", "pause 400",
                                "start animation", "restore pointer", "process", "arm"}));
  EXPECT_TRUE(session.Holding());
  host.failing.clear();
  host.answer = PromptAnswer{1, "secret", "", false};
  EXPECT_TRUE(session.RequestUnlock(UnlockRules{"secret", false, "", true}));
  EXPECT_EQ(host.Take(), (Calls{"stop animation", "disarm", "ask", "take message", "system"}));
  EXPECT_FALSE(session.Holding()) << "a granted unlock lets the windows go";
}

TEST(MonitorLayout, CoversEveryMonitorTheLockScreenDoesNotShow) {
  const Box primary{0, 0, 1024, 768};
  const Box right{1024, 0, 2048, 768};
  const Box left{-1280, -200, 0, 824};
  const struct {
    std::vector<Box> monitors;
    std::vector<Box> covers;
  } cases[] = {
      {{primary}, {}},
      {{primary, right}, {right}},
      {{left, primary, right, right}, {left, right}},
      {{primary, Box{0, 0, 800, 600}, Box{100, 100, 100, 500}}, {}},  // a mirror inside it, an empty one
      {{primary, Box{1000, 0, 2024, 768}}, {Box{1000, 0, 2024, 768}}},   // overlapping it
  };
  for (const auto& c : cases) EXPECT_EQ(CoverBoxes(c.monitors, primary), c.covers);
}

}  // namespace
}  // namespace velmora
