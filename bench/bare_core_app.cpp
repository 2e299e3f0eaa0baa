// The baseline of bench_commands: the least a Qt command-line program does, a
// QCoreApplication that prints one line and exits.

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream(stdout) << "Not tracking.\n";
    return 0;
}
