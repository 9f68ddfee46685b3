#include "core/LockSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/Failures.h"
#include "core/LockArrangement.h"
#include "core/MonitorLayout.h"

namespace velmora {
namespace {

using Calls = std::vector<std::string>;

// Records every call by name; the calls named in `failing` throw after being recorded. A granted
// unlock gives the hold back, as the lock screen's host does.
class RecordingHost : public LockHost {
 public:
  Calls calls;
  Calls failing;
  UnlockRules rules{"secret", false, "note", true};
  bool systemAllows = true;
  LockSession* session = nullptr;

  void HideMainWindow(bool hidden) override { Call(hidden ? "hide main" : "show main"); }
  void HideTaskbar(bool hidden) override { Call(hidden ? "hide taskbar" : "show taskbar"); }
  void LockKeys() override { Call("lock keys"); }
  void UnlockKeys() override { Call("unlock keys"); }
  void CoverMonitors() override { Call("cover"); }
  void UncoverMonitors() override { Call("uncover"); }
  void SavePointer() override { Call("save pointer"); }
  void RestorePointer() override { Call("restore pointer"); }
  void Arm() override { Call("arm"); }
  void Disarm() override { Call("disarm"); }
  void StartAnimation() override { Call("start animation"); }
  void StopAnimation() override { Call("stop animation"); }
  void StartGuard() override { Call("start guard"); }
  void StopGuard() override { Call("stop guard"); }
  UnlockRules Rules() override {
    Call("rules");
    return rules;
  }
  void OpenPrompt() override { Call("open prompt"); }
  void ClosePrompt() override { Call("close prompt"); }
  void TakeMessage(const PromptAnswer&) override { Call("take message"); }
  bool SystemAllows() override {
    Call("system");
    return systemAllows;
  }
  void Beep() override { Call("beep"); }
  void FocusLock() override { Call("focus"); }
  void StartPause(unsigned milliseconds) override { Call("pause " + std::to_string(milliseconds)); }
  void StopPause() override { Call("stop pause"); }
  void Unlock() override {
    Call("unlock");
    session->GiveBack();
  }

 private:
  void Call(const std::string& name) {
    calls.push_back(name);
    for (const std::string& failure : failing) {
      if (failure == name) throw std::runtime_error(name);
    }
  }
};

const Calls kTake{"hide main", "hide taskbar", "lock keys", "cover", "save pointer", "arm", "start animation",
                  "start guard"};
const Calls kGiveBack{"stop guard", "disarm", "stop animation", "uncover", "unlock keys", "show taskbar", "show main"};

Calls Join(std::initializer_list<Calls> parts) {
  Calls joined;
  for (const Calls& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

// Runs `events` on a session after Take: "request", "pause ended", "give back", and "answer
// <modal result> <password> [<memo>]" (the memo as the rules' message when not given).
void RunEvents(LockSession& session, const std::vector<std::string>& events, const std::string& message) {
  for (const std::string& event : events) {
    std::istringstream words(event);
    std::string verb;
    words >> verb;
    if (verb == "request") session.RequestUnlock();
    if (verb == "pause") session.PauseEnded();
    if (verb == "give") session.GiveBack();
    if (verb == "answer") {
      PromptAnswer answer;
      answer.memoText = message;
      words >> answer.modalResult >> answer.typedPassword >> answer.memoText;
      session.Answered(answer);
    }
  }
}

TEST(LockSession, PhasesAndTheHostsCallsFollowEveryRoadOfALock) {
  const struct {
    const char* what;
    Calls failing;
    std::string password;
    bool allowMessages;
    bool systemAllows;
    std::vector<std::string> events;
    Calls calls;  // after the take
    LockPhase phase;
  } cases[] = {
      {"taken twice, given back twice", {}, "secret", false, true, {"give back", "give back"}, kGiveBack,
       LockPhase::Free},
      {"failed takes are given back too", {"lock keys", "arm"}, "secret", false, true, {"give back"}, kGiveBack,
       LockPhase::Free},
      {"no password opens at once", {}, "", false, true, {"request"},
       Join({{"stop animation", "disarm", "rules", "system", "unlock"}, kGiveBack}), LockPhase::Free},
      {"the right password opens", {}, "secret", false, true, {"request", "answer 1 secret"},
       Join({{"stop animation", "disarm", "rules", "open prompt", "close prompt", "rules", "take message", "system",
              "unlock"},
             kGiveBack}),
       LockPhase::Free},
      {"a wrong password pauses, then arms last", {}, "secret", false, true,
       {"request", "answer 1 Secret", "pause ended"},
       {"stop animation", "disarm", "rules", "open prompt", "close prompt", "rules", "take message", "beep", "focus",
        "pause 400", "start animation", "restore pointer", "arm"},
       LockPhase::Held},
      {"a left message refuses without a beep", {}, "secret", true, true, {"request", "answer 1 secret changed"},
       {"stop animation", "disarm", "rules", "open prompt", "close prompt", "rules", "take message", "focus",
        "pause 400"},
       LockPhase::Asking},
      {"the system's check refuses", {}, "secret", false, false, {"request", "answer 1 secret"},
       {"stop animation", "disarm", "rules", "open prompt", "close prompt", "rules", "take message", "system", "beep",
        "focus", "pause 400"},
       LockPhase::Asking},
      {"a prompt that cannot be made is tried again at the next activity", {"open prompt"}, "secret", false, true,
       {"request", "pause ended", "request"},
       {"stop animation", "disarm", "rules", "open prompt", "beep", "focus", "pause 400", "start animation",
        "restore pointer", "arm", "stop animation", "disarm", "rules", "open prompt", "beep", "focus", "pause 400"},
       LockPhase::Asking},
      {"unreadable rules refuse", {"rules"}, "", false, true, {"request"},
       {"stop animation", "disarm", "rules", "beep", "focus", "pause 400"}, LockPhase::Asking},
      {"a pause that cannot start arms at once", {"pause 400"}, "secret", false, true, {"request", "answer 2 x"},
       {"stop animation", "disarm", "rules", "open prompt", "close prompt", "rules", "beep", "focus", "pause 400",
        "start animation", "restore pointer", "arm"},
       LockPhase::Held},
      {"requests while asking and answers out of turn count for nothing", {}, "secret", false, true,
       {"answer 1 secret", "pause ended", "request", "request"},
       {"stop animation", "disarm", "rules", "open prompt"}, LockPhase::Asking},
      {"giving back while the prompt is open closes it", {}, "secret", false, true, {"request", "give back"},
       Join({{"stop animation", "disarm", "rules", "open prompt", "close prompt"}, kGiveBack}), LockPhase::Free},
      {"giving back during the pause ends it", {}, "secret", false, true, {"request", "answer 2 x", "give back"},
       Join({{"stop animation", "disarm", "rules", "open prompt", "close prompt", "rules", "beep", "focus",
              "pause 400", "stop pause"},
             kGiveBack}),
       LockPhase::Free},
  };
  for (const auto& c : cases) {
    RecordingHost host;
    host.failing = c.failing;
    host.rules = UnlockRules{c.password, c.allowMessages, "note", true};
    host.systemAllows = c.systemAllows;
    const std::uint64_t failuresBefore = FailureCount();
    LockSession session(host);
    host.session = &session;
    session.Take();
    session.Take();
    EXPECT_EQ(host.calls, kTake) << c.what;
    EXPECT_EQ(session.Phase(), LockPhase::Held) << c.what;
    RunEvents(session, c.events, "note");
    EXPECT_EQ(Calls(host.calls.begin() + kTake.size(), host.calls.end()), c.calls) << c.what;
    EXPECT_EQ(session.Phase(), c.phase) << c.what;
    // Every failure was contained and recorded, and the session went on.
    const auto failed = std::count_if(host.calls.begin(), host.calls.end(), [&c](const std::string& call) {
      return std::find(c.failing.begin(), c.failing.end(), call) != c.failing.end();
    });
    EXPECT_EQ(FailureCount() - failuresBefore, static_cast<std::uint64_t>(failed)) << c.what;
  }
}

TEST(LockSession, TheEndOfTheSessionGivesBackWhatItStillHolds) {
  RecordingHost host;
  {
    LockSession session(host);
    host.session = &session;
    session.Take();
    session.RequestUnlock();
    host.calls.clear();
  }
  EXPECT_EQ(host.calls, Join({{"close prompt"}, kGiveBack}));
}

TEST(LockArrangement, TheWindowsOfEachPhaseFromTheTopDown) {
  const Box primary{0, 0, 1024, 768};
  const Box prompt{389, 274, 635, 494};
  const std::vector<Box> covers{{1024, 0, 2048, 768}, {-800, 0, 0, 600}};
  using W = LockWindow;
  const std::vector<PlacedWindow> held{{W::LockScreen, 0, primary, true},
                                       {W::Cover, 0, covers[0], true},
                                       {W::Cover, 1, covers[1], true}};
  const std::vector<PlacedWindow> asking{{W::Prompt, 0, prompt, true},
                                         {W::LockScreen, 0, primary, false},
                                         {W::Cover, 0, covers[0], true},
                                         {W::Cover, 1, covers[1], true}};
  const struct {
    LockPhase phase;
    bool promptOpen;
    std::vector<PlacedWindow> windows;
    LockWindow foreground;
  } cases[] = {
      {LockPhase::Free, false, {}, W::LockScreen},
      {LockPhase::Taking, false, {}, W::LockScreen},
      {LockPhase::GivingBack, true, {}, W::LockScreen},
      {LockPhase::Held, false, held, W::LockScreen},
      {LockPhase::Held, true, held, W::LockScreen},  // no prompt outside an ask
      {LockPhase::Asking, false, held, W::LockScreen},  // the pause after a refusal
      {LockPhase::Asking, true, asking, W::Prompt},
  };
  for (const auto& c : cases) {
    const LockArrangement arrangement = ArrangeLock(c.phase, c.promptOpen, primary, covers, prompt);
    EXPECT_EQ(arrangement.windows, c.windows) << static_cast<int>(c.phase) << " " << c.promptOpen;
    EXPECT_EQ(arrangement.foreground, c.foreground) << static_cast<int>(c.phase) << " " << c.promptOpen;
  }
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
