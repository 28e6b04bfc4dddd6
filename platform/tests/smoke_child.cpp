// A tiny separate program for the smoke test: writes two debugger lines
// and exits with the code given on its command line.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    OutputDebugStringA("smoke child started");
    OutputDebugStringA("second line");
    return argc > 1 ? std::atoi(argv[1]) : 0;
}
