// korvalin-drive: runs Korvalin headless from a script (a file, or standard input).
#include <fstream>
#include <iostream>

#include "app/script_driver.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: korvalin-drive [SCRIPT]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream script(argv[1]);
        if (!script) {
            std::cerr << "korvalin-drive: cannot read " << argv[1] << "\n";
            return 2;
        }
        return kv::app::run_script(script, std::cout, std::cerr);
    }
    return kv::app::run_script(std::cin, std::cout, std::cerr);
}
