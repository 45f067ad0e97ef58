#include "app/commandline.h"
#include "app/orvantaapplication.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    // What fails before the message loop runs (the windows being made) has
    // no window to be shown in: it is told on standard error, never as an abort.
    try {
        return orvanta::runProgram(argc, argv);
    } catch (...) {
        const QString text = orvanta::TOrvantaApplication::Fehlertext(std::current_exception());
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return 1;
    }
}
