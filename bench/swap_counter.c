/* Buffer-swap counter, preloaded into an unchanged GLX program
 * (LD_PRELOAD=libswap_counter.so): wraps glXSwapBuffers, counts the swaps
 * and keeps in the file named by SWAP_COUNTER_FILE one line
 *   swaps N loaded_ns L first_ns F last_ns T
 * with CLOCK_REALTIME nanoseconds of the shim's loading, of the end of the
 * first swap and of the end of the latest one. The file is a shared mapping,
 * so it can be read while the program runs or after it is killed. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

typedef void (*SwapFunction)(void* display, unsigned long drawable);

enum { LINE_SIZE = 128 };

static char* line;
static long long loadedNs, firstNs, swaps;
static SwapFunction realSwap;

static long long NowNs(void) {
  struct timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void WriteLine(long long lastNs) {
  char text[LINE_SIZE];
  int n = snprintf(text, sizeof text, "swaps %lld loaded_ns %lld first_ns %lld last_ns %lld\n", swaps, loadedNs,
                   firstNs, lastNs);
  if (n < 0 || n >= LINE_SIZE) return;
  memset(text + n, ' ', (size_t)(LINE_SIZE - 1 - n));
  text[LINE_SIZE - 1] = '\n';
  memcpy(line, text, LINE_SIZE);
}

__attribute__((constructor)) static void OpenCountFile(void) {
  loadedNs = NowNs();
  const char* path = getenv("SWAP_COUNTER_FILE");
  if (!path || !*path) return;
  int fd = open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (ftruncate(fd, LINE_SIZE) == 0) {
    void* map = mmap(NULL, LINE_SIZE, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map != MAP_FAILED) line = map;
  }
  close(fd);
  if (line) WriteLine(0);
}

void glXSwapBuffers(void* display, unsigned long drawable) {
  if (!realSwap) {
    /* dlsym returns an object pointer; copy its bits, which ISO C cannot convert. */
    void* symbol = dlsym(RTLD_NEXT, "glXSwapBuffers");
    memcpy(&realSwap, &symbol, sizeof realSwap);
  }
  if (realSwap) realSwap(display, drawable);
  long long now = NowNs();
  if (swaps++ == 0) firstNs = now;
  if (line) WriteLine(now);
}
