// One executable for the shell's window tests: each class runs in turn.
#include <QApplication>

int runMainWindow(int, char **);
int runWords(int, char **);
int runParts(int, char **);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int failed = 0;
    // The real dialogs first: once Exit has ended the main window, every later exec() returns at once.
    for (auto run : {runParts, runMainWindow, runWords})
        failed += run(argc, argv);
    return failed;
}
