/* cfgMarker: the setup program the KV_SETUP test plug-ins start, found relative to the working folder
 * as real plug-ins find theirs. It stays three seconds, as a window would, then appends its argument
 * and its working folder to cfgMarker.mark there: a mark only a program that was left running leaves.
 * The stay outlasts a sanitizer's report of a crashing helper, which keeps the helper alive a while. */
#include <stdio.h>
#include <unistd.h>

int main(int argc, char** argv) {
    usleep(3000 * 1000);
    char folder[4096];
    if (!getcwd(folder, sizeof folder)) return 1;
    FILE* mark = fopen("cfgMarker.mark", "a");
    if (!mark) return 1;
    fprintf(mark, "%s %s\n", argc > 1 ? argv[1] : "", folder);
    return fclose(mark) == 0 ? 0 : 1;
}
