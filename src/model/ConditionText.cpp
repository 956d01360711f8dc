#include "model/ConditionText.h"

#include <QStringList>

namespace ConditionText {

namespace {

QString versionKindName(const QString& kind) {
    if (kind == u"game")
        return QStringLiteral("the game");
    if (kind == u"fomm")
        return QStringLiteral("the mod manager");
    return kind.toUpper(); // fose, skse, nvse, f4se: the script extenders' own names
}

} // namespace

QString of(const CDependency& dependency) {
    if (dependency.sType == u"group") {
        const QString inner = ofList(dependency.sOperator, dependency.vDependencies);
        return dependency.vDependencies.size() > 1 ? u'(' + inner + u')' : inner;
    }
    if (dependency.sType == u"file" || dependency.sType == u"flag")
        return dependency.sName + QStringLiteral(" is ") + dependency.sValue;
    return versionKindName(dependency.sType) + QStringLiteral(" is version ") + dependency.sValue +
           QStringLiteral(" or later");
}

QString ofList(const QString& sOperator, const QList<CDependency>& dependencies) {
    const bool any = sOperator == u"Or";
    if (dependencies.isEmpty())
        return any ? QStringLiteral("never") : QStringLiteral("always");
    QStringList parts;
    parts.reserve(dependencies.size());
    for (const CDependency& dependency : dependencies)
        parts.append(of(dependency));
    return parts.join(any ? QStringLiteral(" or ") : QStringLiteral(" and "));
}

} // namespace ConditionText
