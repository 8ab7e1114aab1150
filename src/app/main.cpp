#include "app/Program.h"

int main(int argc, char** argv) {
    return quenford::runProgram(argc, argv);
}
