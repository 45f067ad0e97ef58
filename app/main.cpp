#include "app/application.h"

int main(int argc, char** argv) {
    return orvanta::runApplication(argc, argv);
}
