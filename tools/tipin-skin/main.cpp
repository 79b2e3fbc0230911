#include "tools/tipin-skin/SkinTool.h"

#include <iostream>

int main(int argc, char** argv) {
    CSkinTool tool(std::cerr);
    return tool.Run(std::vector<std::string>(argv + 1, argv + argc));
}
