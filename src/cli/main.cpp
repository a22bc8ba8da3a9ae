#include <iostream>

#include "cli/QuillCommand.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return quill::RunQuillCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
