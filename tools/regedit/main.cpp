// korvalin-regedit: the registry editor Korvalin starts to import and export .reg files.
#include <iostream>
#include <string>
#include <vector>

#include "platform/runtime.h"
#include "platform/standard_streams.h"
#include "registry/regedit_command.h"

int main(int argc, char** argv) {
    kv::platform::prepare_standard_streams();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        return kv::registry::run_regedit(arguments, kv::registry::Store::for_user(), std::cerr);
    } catch (const std::exception& failure) {
        std::cerr << "korvalin-regedit: " << failure.what() << '\n';
        return 1;
    }
}
