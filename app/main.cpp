#include "app/startup.h"

int main(int argc, char** argv) {
    return rpn::RunCalculator(argc, argv);
}
