/* One PSEmu-Pro-style plug-in, built into several test libraries by compile definitions:
 *   KV_NAME "text"      PSEgetLibName returns it     KV_NULL_NAME   it returns 0
 *   KV_LONG_NAME        it returns 300 characters    (none)         no PSEgetLibName export
 *   KV_VERSION n        PSEgetLibVersion returns n   (none)         no PSEgetLibVersion export
 *   KV_TYPE n           PSEgetLibType returns n      (none)         no PSEgetLibType export
 *   KV_PREFIX GPU       exports GPUtest, GPUconfigure, GPUabout
 *   KV_TEST n           what the test export returns (0 when not given)
 *   KV_LOWER_TEST       the test export is spelled "<prefix>Test"... in other letter case instead
 *   KV_CRASH_IN_NAME    PSEgetLibName dies of a bad pointer
 *   KV_ABORT_IN_TYPE    PSEgetLibType aborts
 *   KV_HANG_IN_TYPE     PSEgetLibType never returns
 *   KV_HANG_IN_NAME     PSEgetLibName never returns
 *   KV_HANG_IN_CALLS    the test, configure and about exports never return
 *   KV_CALL_MS n        the test, configure and about exports each take n ms
 *   KV_SLOW_MS n        PSEgetLibName, PSEgetLibVersion and PSEgetLibType each take n ms
 *   KV_NAME_MS n        PSEgetLibName alone takes n ms
 *   KV_THREAD_MS n      PSEgetLibName leaves a thread running that takes the process down n ms
 *                       later, when the library has long been released
 *   KV_FORK_IN_NAME     PSEgetLibName forks a child that waits for ever, keeping everything the
 *                       helper had open; the child's id is appended to <library>.children
 *   KV_CRASH_IN_TEST    the test export dies of a bad pointer
 *   KV_ESCAPE           PSEgetLibName and the test export start a child that leaves the helper's
 *                       session (setsid) and sleeps a minute, keeping the helper's standard output and
 *                       error; its id is appended to <library>.children before the export returns
 *   KV_DOUBLE_FORK      the same, through a child that starts the sleeper and exits at once
 *   KV_SETUP            as real plug-ins: configure and about start the setup program "./cfgMarker"
 *                       (found in the working folder) with "configure" or "about" and return at once,
 *                       and so does the test export, with "test"; the started program's id is
 *                       appended to <library>.children
 *   KV_CRASH_IN_CALLS   configure and about die of a bad pointer (after starting the setup program)
 *   KV_TERMINAL         the test export writes a line to standard output, sets its terminal's
 *                       settings again as they are and reads the terminal without waiting; it returns
 *                       0 when standard output is a terminal and the writing and setting worked
 *   KV_CHATTY           every export prints to standard output first
 *   KV_STDERR_LINES n   the test export writes n lines to standard error first, one write each
 *   KV_LOG              configure and about append a line to <library>.log
 *   KV_MARKER           loading the library appends the loading process's id to <library>.marker
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#define KV_JOIN2(a, b) a##b
#define KV_JOIN(a, b) KV_JOIN2(a, b)

#ifdef KV_CHATTY
#define KV_CHAT() (printf("A\x01noise that looks like a reply\n"), fflush(stdout))
#else
#define KV_CHAT() ((void)0)
#endif

#ifdef KV_STDERR_LINES
static void write_error_lines(void) {
    for (int i = 1; i <= (KV_STDERR_LINES); ++i) fprintf(stderr, "a plug-in's line %d of its own\n", i);
}
#define KV_ERROR_LINES() write_error_lines()
#else
#define KV_ERROR_LINES() ((void)0)
#endif

#ifdef KV_SLOW_MS
#define KV_SLOW() usleep((KV_SLOW_MS)*1000)
#else
#define KV_SLOW() ((void)0)
#endif

#if defined(KV_LOG) || defined(KV_MARKER) || defined(KV_FORK_IN_NAME) || defined(KV_SETUP) || \
    defined(KV_ESCAPE) || defined(KV_DOUBLE_FORK)
static void append_beside_library(const char* ending, const char* line) {
    Dl_info info;
    if (!dladdr((void*)&append_beside_library, &info) || !info.dli_fname) return;
    char path[4096];
    snprintf(path, sizeof path, "%s%s", info.dli_fname, ending);
    FILE* f = fopen(path, "a");
    if (!f) return;
    fputs(line, f);
    fputc('\n', f);
    fclose(f);
}
#endif

#ifdef KV_MARKER
__attribute__((constructor)) static void loaded(void) {
    char pid[32];
    snprintf(pid, sizeof pid, "%ld", (long)getpid());
    append_beside_library(".marker", pid);
}
#endif

#ifdef KV_THREAD_MS
/* A thread that runs on after its library is released crashes when it next runs the library's code,
 * which is gone. The library keeps itself loaded here so that the crash comes at a known moment. */
static void* linger(void* unused) {
    (void)unused;
    usleep((KV_THREAD_MS)*1000);
    raise(SIGSEGV);
    return NULL;
}

static void leave_thread(void) {
    Dl_info info;
    if (dladdr((void*)&leave_thread, &info) && info.dli_fname)
        dlopen(info.dli_fname, RTLD_NOW | RTLD_NODELETE);
    pthread_t thread;
    if (pthread_create(&thread, NULL, linger, NULL) == 0) pthread_detach(thread);
}
#endif

#ifdef KV_FORK_IN_NAME
static void fork_child(void) {
    const pid_t child = fork();
    if (child == 0)
        for (;;) pause();
    if (child < 0) return;
    char pid[32];
    snprintf(pid, sizeof pid, "%ld", (long)child);
    append_beside_library(".children", pid);
}
#endif

#if defined(KV_ESCAPE) || defined(KV_DOUBLE_FORK)
/* The sleeper tells that it is in place by closing the pipe's writing end, once its id is written. */
static void sleep_in_own_session(int ready[2]) {
    close(ready[0]);
    setsid();
    char pid[32];
    snprintf(pid, sizeof pid, "%ld", (long)getpid());
    append_beside_library(".children", pid);
    close(ready[1]);
    sleep(60);
    _exit(0);
}

static void start_escaper(void) {
    int ready[2];
    if (pipe(ready) != 0) return;
    const pid_t child = fork();
    if (child == 0) {
#ifdef KV_DOUBLE_FORK
        if (fork() == 0) sleep_in_own_session(ready);
        _exit(0);
#else
        sleep_in_own_session(ready);
#endif
    }
    close(ready[1]);
    if (child > 0) {
        char byte;
        while (read(ready[0], &byte, 1) > 0) {
        }
#ifdef KV_DOUBLE_FORK
        waitpid(child, NULL, 0);
#endif
    }
    close(ready[0]);
}
#define KV_START_ESCAPER() start_escaper()
#else
#define KV_START_ESCAPER() ((void)0)
#endif

#ifdef KV_SETUP
static void start_setup(const char* argument) {
    const pid_t child = fork();
    if (child == 0) {
        execl("./cfgMarker", "cfgMarker", argument, (char*)NULL);
        _exit(127);
    }
    if (child < 0) return;
    char pid[32];
    snprintf(pid, sizeof pid, "%ld", (long)child);
    append_beside_library(".children", pid);
}
#define KV_START_SETUP(argument) start_setup(argument)
#else
#define KV_START_SETUP(argument) ((void)0)
#endif

#ifdef KV_TERMINAL
static long use_terminal(void) {
    static const char line[] = "a plug-in writes to its terminal\n";
    if (!isatty(STDOUT_FILENO)) return 1;
    if (write(STDOUT_FILENO, line, sizeof line - 1) != (ssize_t)(sizeof line - 1)) return 2;
    struct termios settings;
    if (tcgetattr(STDOUT_FILENO, &settings) != 0 || tcsetattr(STDOUT_FILENO, TCSANOW, &settings) != 0)
        return 3;
    const char* name = ttyname(STDOUT_FILENO);
    const int terminal = name ? open(name, O_RDWR | O_NOCTTY | O_NONBLOCK) : -1;
    if (terminal < 0) return 4;
    /* Nothing is typed: what the read gives does not matter, only that the process goes on. */
    char byte;
    const ssize_t got = read(terminal, &byte, 1);
    (void)got;
    close(terminal);
    return 0;
}
#endif

#ifdef KV_CRASH_IN_CALLS
#define KV_CRASH_CALL() raise(SIGSEGV)
#else
#define KV_CRASH_CALL() ((void)0)
#endif

#if defined(KV_NAME) || defined(KV_NULL_NAME) || defined(KV_LONG_NAME) || defined(KV_CRASH_IN_NAME)
const char* PSEgetLibName(void) {
    KV_CHAT();
    KV_SLOW();
#ifdef KV_NAME_MS
    usleep((KV_NAME_MS)*1000);
#endif
#ifdef KV_THREAD_MS
    leave_thread();
#endif
#ifdef KV_FORK_IN_NAME
    fork_child();
#endif
    KV_START_ESCAPER();
#if defined(KV_HANG_IN_NAME)
    for (;;) pause();
#endif
#if defined(KV_CRASH_IN_NAME)
    raise(SIGSEGV);
    return "unreachable";
#elif defined(KV_NULL_NAME)
    return NULL;
#elif defined(KV_LONG_NAME)
    static char name[301];
    memset(name, 'n', 300);
    name[300] = 0;
    return name;
#else
    return KV_NAME;
#endif
}
#endif

#ifdef KV_VERSION
long PSEgetLibVersion(void) {
    KV_CHAT();
    KV_SLOW();
    return (long)(KV_VERSION);
}
#endif

#ifdef KV_TYPE
long PSEgetLibType(void) {
    KV_CHAT();
    KV_SLOW();
#if defined(KV_ABORT_IN_TYPE)
    abort();
#elif defined(KV_HANG_IN_TYPE)
    for (;;) pause();
#endif
    return KV_TYPE;
}
#endif

#ifdef KV_PREFIX
#ifndef KV_TEST
#define KV_TEST 0
#endif
#ifdef KV_LOWER_TEST
#define KV_TEST_NAME KV_JOIN(KV_PREFIX, Test)
#else
#define KV_TEST_NAME KV_JOIN(KV_PREFIX, test)
#endif
#if defined(KV_HANG_IN_CALLS)
#define KV_HANG_CALL() \
    for (;;) pause()
#elif defined(KV_CALL_MS)
#define KV_HANG_CALL() usleep((KV_CALL_MS)*1000)
#else
#define KV_HANG_CALL() ((void)0)
#endif

long KV_TEST_NAME(void) {
    KV_START_SETUP("test");
    KV_START_ESCAPER();
    KV_CHAT();
    KV_ERROR_LINES();
    KV_HANG_CALL();
#ifdef KV_CRASH_IN_TEST
    raise(SIGSEGV);
#endif
#ifdef KV_TERMINAL
    return use_terminal();
#endif
    return (long)(KV_TEST);
}

long KV_JOIN(KV_PREFIX, configure)(void) {
    KV_START_SETUP("configure");
    KV_CRASH_CALL();
    KV_HANG_CALL();
#ifdef KV_LOG
    append_beside_library(".log", "configure");
#endif
    return 0;
}

long KV_JOIN(KV_PREFIX, about)(void) {
    KV_START_SETUP("about");
    KV_CRASH_CALL();
    KV_HANG_CALL();
#ifdef KV_LOG
    append_beside_library(".log", "about");
#endif
    return 0;
}
#endif
