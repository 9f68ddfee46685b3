/* Time from start to a covering, topmost window, seen from the X server.
 *
 *   lock_wait [-t seconds] [-o file] command [argument...]
 *
 * Watches the root window's children of $DISPLAY, then starts the command (its output goes to
 * the file, /dev/null by default) and waits for the moment the topmost mapped child of the root
 * covers the whole screen, then for the first drawing on that window. Prints "<seconds> <pid>
 * <window> <drawn>" (seconds since just before the fork to the covering window, pid of the
 * command, X window id in hex, seconds to the first drawing on it or "-" when nothing is drawn
 * within 5 s) and exits 0, leaving the command running.
 * Prints "timeout <pid>" and exits 1 when nothing covers the screen in time (default 30 s),
 * "exited <pid> <status>" and exits 2 when the command ends first. Before starting the command it
 * waits, within the same limit, until no covering window is left from an earlier run.
 *
 * Every map, configure, circulate and unmap of a child of the root wakes it; it then asks the
 * server for the stacking order, so a window mapped below another full-screen window does not
 * count until it is raised. A mapped window shows what was on the screen until its owner draws
 * into it, so the first drawing is reported as well, through the DAMAGE extension: each new child
 * of the root is watched from its creation.
 */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static int IgnoreErrors(Display *display, XErrorEvent *error) {
  (void)display;
  (void)error; /* a window destroyed between the query and the look at its attributes */
  return 0;
}

static double Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

/* The topmost viewable child of the root if it covers the whole screen, else None. */
static Window CoveringTopmost(Display *display, Window root, int width, int height) {
  Window rootReturn, parent, *children = NULL;
  unsigned count = 0;
  Window found = None;
  if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count)) return None;
  for (unsigned i = count; i-- > 0;) { /* children come bottom first */
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
    if (attributes.map_state != IsViewable) continue;
    const int border = 2 * attributes.border_width;
    if (attributes.x <= 0 && attributes.y <= 0 && attributes.x + attributes.width + border >= width &&
        attributes.y + attributes.height + border >= height) {
      found = children[i];
    }
    break;
  }
  if (children) XFree(children);
  return found;
}

int main(int argc, char **argv) {
  double limit = 30;
  const char *output = "/dev/null";
  int option;
  while ((option = getopt(argc, argv, "+t:o:")) != -1) {
    if (option == 't') limit = atof(optarg);
    else if (option == 'o') output = optarg;
    else return 64;
  }
  if (optind >= argc) {
    fprintf(stderr, "usage: lock_wait [-t seconds] [-o file] command [argument...]\n");
    return 64;
  }
  Display *display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "lock_wait: cannot open the display\n");
    return 69;
  }
  XSetErrorHandler(IgnoreErrors);
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
  const int screen = DefaultScreen(display);
  const Window root = RootWindow(display, screen);
  const int width = DisplayWidth(display, screen);
  const int height = DisplayHeight(display, screen);
  int damageEvent = 0;
  int damageError = 0;
  const int damage = XDamageQueryExtension(display, &damageEvent, &damageError);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const double waitStart = Now();
  while (CoveringTopmost(display, root, width, height) != None) {
    if (Now() - waitStart > limit) {
      fprintf(stderr, "lock_wait: a covering window is left from before\n");
      return 1;
    }
    nanosleep(&(struct timespec){0, 20000000}, NULL);
  }
  while (XPending(display)) { /* events of what went before */
    XEvent event;
    XNextEvent(display, &event);
  }

  fflush(stdout);
  const double start = Now();
  const pid_t child = fork();
  if (child < 0) {
    perror("lock_wait: fork");
    return 71;
  }
  if (child == 0) {
    const int sink = open(output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (sink >= 0) {
      dup2(sink, STDOUT_FILENO);
      dup2(sink, STDERR_FILENO);
      close(sink);
    }
    execvp(argv[optind], argv + optind);
    _exit(127);
  }

  Window covering = None;
  double covered = 0;
  for (;;) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == CreateNotify && damage) {
        XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
      } else if (covering == None && (event.type == MapNotify || event.type == ConfigureNotify ||
                                      event.type == CirculateNotify || event.type == UnmapNotify)) {
        covering = CoveringTopmost(display, root, width, height);
        if (covering != None) {
          covered = Now() - start;
          if (!damage) break;
        }
      } else if (covering != None && event.type == damageEvent + XDamageNotify &&
                 ((XDamageNotifyEvent *)&event)->drawable == covering) {
        printf("%.4f %ld 0x%lx %.4f\n", covered, (long)child, (unsigned long)covering, Now() - start);
        return 0;
      }
    }
    if (covering != None && (!damage || Now() - start - covered > 5)) {
      printf("%.4f %ld 0x%lx -\n", covered, (long)child, (unsigned long)covering);
      return 0;
    }
    int status;
    if (waitpid(child, &status, WNOHANG) == child) {
      printf("exited %ld %d\n", (long)child, WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
      return 2;
    }
    const double left = limit - (Now() - start);
    if (left <= 0 && covering == None) {
      printf("timeout %ld\n", (long)child);
      return 1;
    }
    struct pollfd wake = {ConnectionNumber(display), POLLIN, 0};
    const int wait = left > 0.1 || covering != None ? 100 : (int)(left * 1000) + 1; /* looks at the child now and then */
    if (poll(&wake, 1, wait) < 0 && errno != EINTR) return 71;
  }
}
