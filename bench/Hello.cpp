// The plain C++ program the command line's start-up is read against.
#include <iostream>

int main()
{
    std::cout << "hello, world\n";
    return 0;
}
