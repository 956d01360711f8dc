#include "check/ValueChecks.h"

#include "check/ProjectWalk.h"
#include "model/FomodTypes.h"
#include "model/Vocabulary.h"

#include <algorithm>

namespace {

using ProjectWalk::entryOf;

// Built once: the checks look values up for every element of large projects.
struct AllowedValues {
    QStringList groupTypes = Vocabulary::groupTypes();
    QStringList pluginTypes = Vocabulary::pluginTypes();
    QStringList operators = Vocabulary::operators();
    QStringList conditionKinds = Vocabulary::conditionKinds();
    QStringList versionKinds = Vocabulary::versionKinds();
    QStringList fileStates = Vocabulary::fileStates();
    QStringList fileTypes = Vocabulary::fileTypes();
    QStringList orders = Vocabulary::orders();
    QStringList booleans = Vocabulary::booleans();
    QStringList titlePositions = Vocabulary::titlePositions();
};

const AllowedValues& allowedValues() {
    static const AllowedValues values;
    return values;
}

void badValue(const QString& what, const QString& value, const QString& advice,
              const ProjectPlace& place, FindingCollector& out) {
    out.error(QStringLiteral("bad-value"),
              QStringLiteral("%1 '%2' is not one of the format's values, which mod managers "
                             "compare exactly: %3")
                  .arg(what, value, advice),
              place);
}

// "value": what the author wrote, checked against the allowed values; what names it ("group
// type") leads the message. A value that differs only in spaces or letter case gets its fix.
void checkValue(const QString& what, const QString& value, const QStringList& allowed,
                const ProjectPlace& place, FindingCollector& out) {
    if (allowed.contains(value))
        return;
    QString fix;
    for (const QString& candidate : allowed) {
        if (value.trimmed().compare(candidate, Qt::CaseInsensitive) == 0)
            fix = candidate;
    }
    const QString advice =
        fix.isEmpty() ? QStringLiteral("use one of %1").arg(allowed.join(QLatin1String(", ")))
                      : QStringLiteral("write it exactly '%1'").arg(fix);
    badValue(what, value, advice, place, out);
}

// An attribute the file need not hold: empty means not written, and then the default applies.
void checkOptional(const QString& what, const QString& value, const QStringList& allowed,
                   const ProjectPlace& place, FindingCollector& out) {
    if (!value.isEmpty())
        checkValue(what, value, allowed, place, out);
}

void checkCondition(const CDependency& dependency, const ProjectPlace& place,
                    FindingCollector& out) {
    const AllowedValues& allowed = allowedValues();
    if (dependency.sType == u"file") {
        checkValue(QStringLiteral("state of file '%1'").arg(dependency.sName), dependency.sValue,
                   allowed.fileStates, place, out);
    } else if (dependency.sType == u"group") {
        checkOptional(QStringLiteral("operator"), dependency.sOperator, allowed.operators, place,
                      out);
    } else if (allowed.versionKinds.contains(dependency.sType)) {
        if (!FomodTypes::versionNumber(dependency.sValue))
            badValue(QStringLiteral("version of kind '%1'").arg(dependency.sType),
                     dependency.sValue,
                     QStringLiteral("write one to four numbers joined by dots, such as 1.6.1170"),
                     place, out);
    } else if (dependency.sType != u"flag") {
        checkValue(QStringLiteral("condition kind"), dependency.sType, allowed.conditionKinds,
                   place, out);
    }
}

void checkDependencies(const QString& sOperator, const QList<CDependency>& dependencies,
                       const ProjectPlace& listPlace, FindingCollector& out) {
    // An unset operator is the format's default "And"; without conditions it is not written.
    if (!dependencies.isEmpty() && !sOperator.isEmpty())
        checkValue(QStringLiteral("operator"), sOperator, allowedValues().operators, listPlace,
                   out);
    ProjectWalk::forEachCondition(dependencies, [&](const CDependency& dependency, int top) {
        checkCondition(dependency, entryOf(listPlace, top), out);
    });
}

bool isHexBinary(const QString& text) {
    return text.size() % 2 == 0 && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') ||
                      (c >= u'A' && c <= u'F');
           });
}

// The title's and the header image's attributes.
void checkHeader(const CFOMOD& project, FindingCollector& out) {
    const AllowedValues& allowed = allowedValues();
    const ProjectPlace file;
    const ProjectPlace image{.list = ProjectPlace::List::ModuleImage};
    checkOptional(QStringLiteral("title position"), project.sTitlePosition, allowed.titlePositions,
                  file, out);
    if (!isHexBinary(project.sTitleColour))
        badValue(QStringLiteral("title colour"), project.sTitleColour,
                 QStringLiteral("write it as hexadecimal digits, such as 000000"), file, out);
    checkOptional(QStringLiteral("showImage"), project.sShowImage, allowed.booleans, image, out);
    checkOptional(QStringLiteral("showFade"), project.sShowFade, allowed.booleans, image, out);
    bool isInteger = false;
    project.sImageHeight.toInt(&isInteger);
    if (!project.sImageHeight.isEmpty() && !isInteger)
        badValue(QStringLiteral("image height"), project.sImageHeight,
                 QStringLiteral("write a whole number of pixels, or -1 for the image's own"), image,
                 out);
}

void checkFile(const CFile& file, const ProjectPlace& place, FindingCollector& out) {
    const AllowedValues& allowed = allowedValues();
    checkValue(QStringLiteral("file kind"), file.sType, allowed.fileTypes, place, out);
    checkOptional(QStringLiteral("alwaysInstall"), file.sAlwaysInstall, allowed.booleans, place,
                  out);
    checkOptional(QStringLiteral("installIfUsable"), file.sInstallIfUsable, allowed.booleans, place,
                  out);
}

} // namespace

void checkValues(const CFOMOD& project, FindingCollector& out) {
    const QStringList& orders = allowedValues().orders;
    checkHeader(project, out);
    checkOptional(QStringLiteral("order of the steps"), project.sStepOrder, orders, {}, out);
    for (int s = 0; s < project.vSteps.size(); ++s) {
        const CStep& step = project.vSteps[s];
        checkOptional(QStringLiteral("order of the groups"), step.sGroupOrder, orders,
                      ProjectPlace{.step = s}, out);
        for (int g = 0; g < step.vGroups.size(); ++g) {
            const CPluginGroup& group = step.vGroups[g];
            checkValue(QStringLiteral("group type"), group.sType, allowedValues().groupTypes,
                       ProjectPlace{.step = s, .group = g}, out);
            checkOptional(QStringLiteral("order of the options"), group.sPluginOrder, orders,
                          ProjectPlace{.step = s, .group = g}, out);
            for (int p = 0; p < group.vPlugins.size(); ++p) {
                const CPlugin& plugin = group.vPlugins[p];
                checkValue(QStringLiteral("option type"), plugin.sType, allowedValues().pluginTypes,
                           ProjectPlace{.step = s, .group = g, .plugin = p}, out);
                for (int k = 0; k < plugin.vPatterns.size(); ++k)
                    checkValue(QStringLiteral("option type"), plugin.vPatterns[k].sType,
                               allowedValues().pluginTypes,
                               ProjectPlace{.step = s,
                                            .group = g,
                                            .plugin = p,
                                            .list = ProjectPlace::List::PluginPatterns,
                                            .pattern = k},
                               out);
            }
        }
    }
    ProjectWalk::forEachDependencyList(
        project,
        [&](const QString& sOperator, const QList<CDependency>& dependencies,
            const ProjectPlace& at) { checkDependencies(sOperator, dependencies, at, out); });
    ProjectWalk::forEachFileList(project, [&](const QList<CFile>& files, const ProjectPlace& at) {
        for (int i = 0; i < files.size(); ++i)
            checkFile(files[i], entryOf(at, i), out);
    });
}
