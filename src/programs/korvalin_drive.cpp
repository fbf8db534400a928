// korvalin-drive: runs Korvalin headless from a script (a file, or standard input).
#include <fstream>
#include <iostream>

#include "app/script_driver.h"
#include "platform/standard_error.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    kv::platform::prepare_standard_streams();
    if (argc > 2) {
        kv::platform::print_failure("korvalin-drive", "usage: korvalin-drive [SCRIPT]");
        return 2;
    }
    if (argc == 2) {
        std::ifstream script(argv[1]);
        if (!script) {
            kv::platform::print_failure("korvalin-drive", std::string("cannot read ") + argv[1]);
            return 2;
        }
        return kv::app::run_script(script, std::cout, std::cerr);
    }
    return kv::app::run_script(std::cin, std::cout, std::cerr);
}
