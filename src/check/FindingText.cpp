#include "check/FindingText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace FindingText {

namespace {

using List = ProjectPlace::List;

QString numbered(const char* what, int index) {
    return QStringLiteral("%1 %2").arg(QLatin1String(what)).arg(index + 1);
}

QString named(const char* what, int index, const QString& name) {
    return numbered(what, index) + QStringLiteral(" \"") + name + QLatin1Char('"');
}

QJsonValue indexOrNull(int index) {
    return index >= 0 ? QJsonValue(index) : QJsonValue(QJsonValue::Null);
}

// The parts below the option or step: its lists and their entries.
void appendListParts(const ProjectPlace& p, QStringList& parts) {
    switch (p.list) {
    case List::None:
    case List::ModuleImage:
    case List::RequiredFiles:
    case List::ConditionalInstalls:
    case List::ConditionalInstallFiles:
    case List::ModuleDependencies:
        break;
    case List::StepVisibility:
        parts.append(p.entry >= 0 ? numbered("visibility condition", p.entry)
                                  : QStringLiteral("visibility"));
        return;
    case List::PluginImage:
        parts.append(QStringLiteral("image"));
        return;
    case List::PluginFiles:
        parts.append(numbered("file", p.entry));
        return;
    case List::PluginFlags:
        parts.append(numbered("flag", p.entry));
        return;
    case List::PluginPatterns:
        parts.append(numbered("type pattern", p.pattern));
        if (p.entry >= 0)
            parts.append(numbered("condition", p.entry));
        return;
    }
}

} // namespace

QString severityName(Finding::Severity severity) {
    switch (severity) {
    case Finding::Severity::Error:
        return QStringLiteral("error");
    case Finding::Severity::Warning:
        return QStringLiteral("warning");
    case Finding::Severity::Note:
        break;
    }
    return QStringLiteral("note");
}

QString placeText(const CFOMOD& project, const ProjectPlace& p) {
    QStringList parts;
    switch (p.list) {
    case List::ModuleImage:
        return QStringLiteral("header image");
    case List::RequiredFiles:
        return numbered("required install", p.entry);
    case List::ConditionalInstalls:
        parts.append(numbered("conditional install", p.pattern));
        if (p.entry >= 0)
            parts.append(numbered("condition", p.entry));
        return parts.join(QLatin1String(" > "));
    case List::ConditionalInstallFiles:
        return numbered("conditional install", p.pattern) + QStringLiteral(" > ") +
               numbered("file", p.entry);
    case List::ModuleDependencies:
        return p.entry >= 0 ? QStringLiteral("prerequisites > ") + numbered("condition", p.entry)
                            : QStringLiteral("prerequisites");
    default:
        break;
    }
    if (p.step < 0 || p.step >= project.vSteps.size())
        return QString();
    const CStep& step = project.vSteps[p.step];
    parts.append(named("step", p.step, step.sName));
    if (p.group >= 0 && p.group < step.vGroups.size()) {
        const CPluginGroup& group = step.vGroups[p.group];
        parts.append(named("group", p.group, group.sName));
        if (p.plugin >= 0 && p.plugin < group.vPlugins.size())
            parts.append(named("option", p.plugin, group.vPlugins[p.plugin].sName));
    }
    appendListParts(p, parts);
    return parts.join(QLatin1String(" > "));
}

QString compilerLine(const CFOMOD& project, const Finding& finding, const QString& configFile) {
    QString where;
    if (finding.line > 0)
        where = configFile + QLatin1Char(':') + QString::number(finding.line);
    else
        where = placeText(project, finding.place);
    if (where.isEmpty())
        where = configFile;
    QString line = where + QStringLiteral(": ") + severityName(finding.severity) +
                   QStringLiteral(": ") + finding.sMessage + QStringLiteral(" [") + finding.sCode +
                   QLatin1Char(']');
    // One finding, one line, whatever the names hold.
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
    return line;
}

QByteArray toJson(const Findings& findings) {
    QJsonArray list;
    for (const Finding& finding : findings) {
        QJsonObject object;
        object.insert(QStringLiteral("code"), finding.sCode);
        object.insert(QStringLiteral("severity"), severityName(finding.severity));
        object.insert(QStringLiteral("message"), finding.sMessage);
        object.insert(QStringLiteral("step"), indexOrNull(finding.place.step));
        object.insert(QStringLiteral("group"), indexOrNull(finding.place.group));
        object.insert(QStringLiteral("plugin"), indexOrNull(finding.place.plugin));
        object.insert(QStringLiteral("line"), finding.line > 0 ? QJsonValue(qint64(finding.line))
                                                               : QJsonValue(QJsonValue::Null));
        list.append(object);
    }
    QJsonObject root;
    root.insert(QStringLiteral("findings"), list);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace FindingText
