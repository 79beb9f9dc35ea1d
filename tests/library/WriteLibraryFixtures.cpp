// write_library_fixtures DIR: writes the library's fixture files (LibraryFixtures.h) into DIR, for
// the tests that run outside GoogleTest (the installed example, the Python module's).
#include <exception>
#include <iostream>

#include "tests/library/LibraryFixtures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_library_fixtures DIR\n";
        return 2;
    }
    try {
        library_fixtures::WriteFixtures(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
