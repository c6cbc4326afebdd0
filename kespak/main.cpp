// kespak: extracts, lists and packs .pak archives. See CommandLine::usage().
#include "kespak/CommandLine.h"

#include <filesystem>
#include <iostream>
#include <vector>

// The arguments reach the library as native paths: wide strings on Windows,
// so that no file name is lost to a narrow code page, bytes elsewhere.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
#else
int main(int argc, char** argv)
#endif
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::filesystem::path> arguments(argv + 1, argv + argc);
    return kespak::CommandLine(std::cout, std::cerr).run(arguments);
}
