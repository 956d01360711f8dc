#include "platform/ProgramInfo.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << ProgramInfo::versionText() << Qt::endl;
    return 0;
}
