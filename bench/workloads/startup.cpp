// startup: C++ floor for the start-up workload: a process that prints 0 and ends.
// Build: g++ -O2 -o startup startup.cpp
#include <cstdio>

int main() {
    std::printf("0\n");
    return 0;
}
