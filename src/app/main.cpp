// The program: a command-line verb when the first argument is one,
// otherwise the desktop.

#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "desktop/gui_main.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool handled = false;
    int status = gyr::RunCommandLine(args, std::cout, std::cerr, handled);
    return handled ? status : gyr::RunGui(argc, argv);
}
