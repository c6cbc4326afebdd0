// kespak: extracts, lists and packs .pak archives. See CommandLine::usage().
#include "kespak/CommandLine.h"

#include <filesystem>
#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
    return kespak::CommandLine(std::cout, std::cerr).run(arguments);
}
