#include "editor/HelpText.h"

namespace HelpText {

QString quickGuide() {
    return QStringLiteral("Quarvel quick guide\n");
}

} // namespace HelpText
