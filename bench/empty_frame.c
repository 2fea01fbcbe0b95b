/* The empty frame: a GLX window of the given size that only clears colour
 * and depth and swaps, as fast as it can, for the given seconds; prints
 * "frames N seconds S fps F". The floor under any frame of this driver.
 * Usage: empty_frame [width height seconds] */
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}

int main(int argc, char** argv) {
  int width = argc > 1 ? atoi(argv[1]) : 819;
  int height = argc > 2 ? atoi(argv[2]) : 819;
  double seconds = argc > 3 ? atof(argv[3]) : 5.0;
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "empty_frame: no display\n");
    return 1;
  }
  int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                      GLX_DEPTH_SIZE, 16, None};
  XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
  if (!visual) {
    fprintf(stderr, "empty_frame: no double-buffered RGBA visual\n");
    return 1;
  }
  Window root = RootWindow(display, visual->screen);
  XSetWindowAttributes set = {0};
  set.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
  set.event_mask = StructureNotifyMask;
  Window window = XCreateWindow(display, root, 10, 10, (unsigned)width, (unsigned)height, 0, visual->depth,
                                InputOutput, visual->visual, CWColormap | CWEventMask, &set);
  XMapWindow(display, window);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify) break;
  }
  GLXContext context = glXCreateContext(display, visual, NULL, True);
  glXMakeCurrent(display, window, context);
  glViewport(0, 0, width, height);
  glClearColor(0.1f, 0.1f, 0.1f, 1.0f);
  glEnable(GL_DEPTH_TEST);

  for (int warm = 0; warm < 10; ++warm) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glXSwapBuffers(display, window);
  }
  long frames = 0;
  double start = Now(), elapsed = 0.0;
  while (elapsed < seconds) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFlush();
    glXSwapBuffers(display, window);
    ++frames;
    elapsed = Now() - start;
  }
  printf("frames %ld seconds %.3f fps %.1f\n", frames, elapsed, frames / elapsed);
  glXMakeCurrent(display, None, NULL);
  glXDestroyContext(display, context);
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return 0;
}
