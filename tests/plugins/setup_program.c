/* cfgMarker: the setup program the KV_SETUP test plug-ins start, found relative to the working folder
 * as real plug-ins find theirs. On starting it appends its argument and the signals it was started
 * with ignored and blocked ("about SigIgn SigBlk", as /proc/self/status gives them in hex) to
 * cfgMarker.signals there. It stays three seconds, as a window would, then appends its argument
 * and its working folder to cfgMarker.mark: a mark only a program that was left running leaves.
 * The stay outlasts a sanitizer's report of a crashing helper, which keeps the helper alive a while. */
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static void note_signals(const char* argument) {
    char ignored[64] = "?", blocked[64] = "?", line[256];
    FILE* status = fopen("/proc/self/status", "r");
    if (!status) return;
    while (fgets(line, sizeof line, status)) {
        if (strncmp(line, "SigIgn:", 7) == 0) sscanf(line + 7, "%63s", ignored);
        if (strncmp(line, "SigBlk:", 7) == 0) sscanf(line + 7, "%63s", blocked);
    }
    fclose(status);
    FILE* signals = fopen("cfgMarker.signals", "a");
    if (!signals) return;
    fprintf(signals, "%s %s %s\n", argument, ignored, blocked);
    fclose(signals);
}

int main(int argc, char** argv) {
    const char* argument = argc > 1 ? argv[1] : "";
    note_signals(argument);
    usleep(3000 * 1000);
    char folder[4096];
    if (!getcwd(folder, sizeof folder)) return 1;
    FILE* mark = fopen("cfgMarker.mark", "a");
    if (!mark) return 1;
    fprintf(mark, "%s %s\n", argument, folder);
    return fclose(mark) == 0 ? 0 : 1;
}
