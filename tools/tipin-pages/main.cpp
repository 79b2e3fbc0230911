#include "tools/tipin-pages/PagesCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    PagesCommand command(std::cout, std::cerr);
    return command.Run(std::vector<std::string>(argv + 1, argv + argc));
}
