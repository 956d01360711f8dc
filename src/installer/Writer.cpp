#include "installer/Writer.h"

#include "installer/Encoding.h"
#include "installer/Escaping.h"
#include "installer/ProjectFiles.h"
#include "installer/Utf16Buffer.h"

#include <QFileInfo>
#include <QSaveFile>

namespace InstallerWriter {

namespace {

// Room for the whole file, so the buffer is not copied while it grows: every text once and
// a generous allowance for each line's own characters.
constexpr qsizetype kLineUnits = 64;

qsizetype dependencyUnits(const QList<CDependency>& dependencies) {
    qsizetype units = 0;
    for (const CDependency& d : dependencies)
        units += kLineUnits + d.sName.size() + d.sValue.size();
    return units;
}

qsizetype fileUnits(const QList<CFile>& files) {
    qsizetype units = 0;
    for (const CFile& f : files)
        units += kLineUnits + f.sType.size() + f.sSource.size() + f.sDestination.size();
    return units;
}

qsizetype estimatedConfigUnits(const CFOMOD& project) {
    qsizetype units = 16 * kLineUnits + project.sName.size() + project.sImage.size() +
                      fileUnits(project.vRequiredFiles);
    for (const CStep& step : project.vSteps) {
        units += 8 * kLineUnits + step.sName.size() + dependencyUnits(step.vVisibility);
        for (const CPluginGroup& group : step.vGroups) {
            units += 4 * kLineUnits + group.sName.size() + group.sType.size();
            for (const CPlugin& plugin : group.vPlugins) {
                units += 12 * kLineUnits + plugin.sName.size() + plugin.sDescription.size() +
                         plugin.sImage.size() + fileUnits(plugin.vFiles);
                for (const CCondition& flag : plugin.vConditionFlags)
                    units += kLineUnits + flag.sName.size() + flag.sValue.size();
                for (const CDependencyPattern& pattern : plugin.vPatterns)
                    units += 6 * kLineUnits + dependencyUnits(pattern.vDependencies);
            }
        }
    }
    for (const CConditionalFile& conditional : project.vConditionalFiles)
        units += 6 * kLineUnits + dependencyUnits(conditional.vDependencies) +
                 fileUnits(conditional.vFiles);
    return units;
}

// An operator that is not set means "And", the schema's default; written empty it would make
// Vortex and every validating reader refuse the file (other tools often leave it out).
void writeOperator(Utf16Buffer& out, const QString& sOperator) {
    if (sOperator.isEmpty())
        out.literal(u"And");
    else
        out.attribute(sOperator);
}

// The dependency lines of one list, at the given indentation; unknown types write nothing.
void writeDependencies(Utf16Buffer& out, const QList<CDependency>& dependencies,
                       QStringView indent) {
    for (const CDependency& dependency : dependencies) {
        if (dependency.sType == u"file") {
            out.literal(indent);
            out.literal(u"<fileDependency file=\"");
            out.attribute(dependency.sName);
            out.literal(u"\" state=\"");
            out.attribute(dependency.sValue);
            out.literal(u"\"/> \n");
        } else if (dependency.sType == u"flag") {
            out.literal(indent);
            out.literal(u"<flagDependency flag=\"");
            out.attribute(dependency.sName);
            out.literal(u"\" value=\"");
            out.attribute(dependency.sValue);
            out.literal(u"\"/> \n");
        }
    }
}

void writeFileEntry(Utf16Buffer& out, const CFile& file, QStringView indent, bool bPriority) {
    out.literal(indent);
    out.literal(u"<");
    out.text(file.sType);
    out.literal(u" source=\"");
    out.attribute(file.sSource);
    out.literal(u"\" destination=\"");
    out.attribute(file.sDestination);
    if (bPriority) {
        out.literal(u"\" priority=\"");
        out.number(file.iPriority);
    }
    out.literal(u"\" /> \n");
}

void writePlugin(Utf16Buffer& out, const CPlugin& plugin) {
    out.literal(u"\t\t\t\t\t\t<plugin name=\"");
    out.attribute(plugin.sName);
    out.literal(u"\"> \n");

    out.literal(u"\t\t\t\t\t\t\t<description>");
    out.verbatim(Escaping::normaliseModDescription(plugin.sDescription));
    out.literal(u"</description> \n");

    if (!plugin.sImage.isEmpty()) {
        out.literal(u"\t\t\t\t\t\t\t<image path=\"");
        out.attribute(plugin.sImage);
        out.literal(u"\" /> \n");
    }

    if (!plugin.vConditionFlags.isEmpty()) {
        out.literal(u"\t\t\t\t\t\t\t<conditionFlags> \n");
        for (const CCondition& flag : plugin.vConditionFlags) {
            out.literal(u"\t\t\t\t\t\t\t\t<flag name=\"");
            out.attribute(flag.sName);
            out.literal(u"\">");
            out.text(flag.sValue);
            out.literal(u"</flag> \n");
        }
        out.literal(u"\t\t\t\t\t\t\t</conditionFlags> \n");
    }

    // A plugin needs files or flags to be valid; a "None" option gets an empty files element.
    if (!plugin.vFiles.isEmpty() || plugin.vConditionFlags.isEmpty()) {
        out.literal(u"\t\t\t\t\t\t\t<files> \n");
        for (const CFile& file : plugin.vFiles)
            writeFileEntry(out, file, u"\t\t\t\t\t\t\t\t", true);
        out.literal(u"\t\t\t\t\t\t\t</files> \n");
    }

    out.literal(u"\t\t\t\t\t\t\t<typeDescriptor> \n");
    if (plugin.vPatterns.isEmpty()) {
        out.literal(u"\t\t\t\t\t\t\t\t<type name=\"");
        out.attribute(plugin.sType);
        out.literal(u"\"/> \n");
    } else {
        out.literal(u"\t\t\t\t\t\t\t\t<dependencyType> \n");
        out.literal(u"\t\t\t\t\t\t\t\t\t<defaultType name=\"");
        out.attribute(plugin.sType);
        out.literal(u"\"/> \n");
        out.literal(u"\t\t\t\t\t\t\t\t\t<patterns> \n");
        for (const CDependencyPattern& pattern : plugin.vPatterns) {
            out.literal(u"\t\t\t\t\t\t\t\t\t\t<pattern> \n");
            out.literal(u"\t\t\t\t\t\t\t\t\t\t\t<dependencies operator=\"");
            writeOperator(out, pattern.sOperator);
            out.literal(u"\"> \n");
            writeDependencies(out, pattern.vDependencies, u"\t\t\t\t\t\t\t\t\t\t\t\t");
            out.literal(u"\t\t\t\t\t\t\t\t\t\t\t</dependencies> \n");
            out.literal(u"\t\t\t\t\t\t\t\t\t\t\t<type name=\"");
            out.attribute(pattern.sType);
            out.literal(u"\"/> \n");
            out.literal(u"\t\t\t\t\t\t\t\t\t\t</pattern> \n");
        }
        out.literal(u"\t\t\t\t\t\t\t\t\t</patterns> \n");
        out.literal(u"\t\t\t\t\t\t\t\t</dependencyType> \n");
    }
    out.literal(u"\t\t\t\t\t\t\t</typeDescriptor> \n");
    out.literal(u"\t\t\t\t\t\t</plugin> \n");
}

void writeStep(Utf16Buffer& out, const CStep& step) {
    out.literal(u"\t\t<installStep name=\"");
    out.attribute(step.sName);
    out.literal(u"\"> \n");

    if (!step.vVisibility.isEmpty()) {
        out.literal(u"\t\t\t<visible> \n");
        out.literal(u"\t\t\t\t<dependencies operator=\"");
        writeOperator(out, step.sOperator);
        out.literal(u"\"> \n");
        writeDependencies(out, step.vVisibility, u"\t\t\t\t\t\t");
        out.literal(u"\t\t\t\t</dependencies> \n");
        out.literal(u"\t\t\t</visible> \n");
    }

    out.literal(u"\t\t\t<optionalFileGroups order=\"Explicit\"> \n");
    for (const CPluginGroup& group : step.vGroups) {
        out.literal(u"\t\t\t\t<group name=\"");
        out.attribute(group.sName);
        out.literal(u"\" type=\"");
        out.attribute(group.sType);
        out.literal(u"\"> \n");
        out.literal(u"\t\t\t\t\t<plugins order=\"Explicit\"> \n");
        for (const CPlugin& plugin : group.vPlugins)
            writePlugin(out, plugin);
        out.literal(u"\t\t\t\t\t</plugins> \n");
        out.literal(u"\t\t\t\t</group> \n");
    }
    out.literal(u"\t\t\t</optionalFileGroups> \n");
    out.literal(u"\t\t</installStep> \n");
}

// Schema validators and Vortex refuse a conditional install without its dependencies or its
// files element, so both are always written. An empty dependencies element stands for "no
// conditions", which every mod manager reads as always true only with "And".
void writeConditionalFile(Utf16Buffer& out, const CConditionalFile& conditional) {
    out.literal(u"\t\t\t<pattern> \n");
    out.literal(u"\t\t\t\t<dependencies operator=\"");
    if (conditional.vDependencies.isEmpty())
        out.literal(u"And");
    else
        writeOperator(out, conditional.sOperator);
    out.literal(u"\"> \n");
    writeDependencies(out, conditional.vDependencies, u"\t\t\t\t\t");
    out.literal(u"\t\t\t\t</dependencies> \n");
    out.literal(u"\t\t\t\t<files> \n");
    for (const CFile& file : conditional.vFiles)
        writeFileEntry(out, file, u"\t\t\t\t\t", true);
    out.literal(u"\t\t\t\t</files> \n");
    out.literal(u"\t\t\t</pattern> \n");
}

WriteOutcome failure(const QString& path, const QString& message, const QString& caption,
                     const QString& reason) {
    WriteOutcome outcome;
    outcome.sPath = path;
    outcome.sMessage = message;
    outcome.sCaption = caption;
    outcome.sReason = reason;
    return outcome;
}

// Writes beside the old file and replaces it only when everything was written, so a failed
// save never leaves a truncated file behind.
template <class Format>
WriteOutcome writeStreamed(const QString& path, const QString& message, const QString& caption,
                           Format format) {
    const QFileInfo target(path);
    if (target.exists() && (target.isDir() || !target.isWritable()))
        return failure(path, message, caption,
                       QStringLiteral("cannot be opened for writing: the file is read-only or "
                                      "a folder"));

    // Unbuffered, in chunks: a short write (disk full) then shows in each returned count,
    // where a buffered flush inside commit() would lose it and install a truncated file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(path, message, caption,
                       QStringLiteral("cannot be opened for writing: ") + file.errorString());
    Utf16Buffer out(&file);
    format(out);
    if (!out.finish()) {
        const QString error = file.error() == QFileDevice::NoError
                                  ? QStringLiteral("only part of the file could be written")
                                  : file.errorString();
        file.cancelWriting();
        return failure(path, message, caption, QStringLiteral("writing failed: ") + error);
    }
    if (!file.commit())
        return failure(path, message, caption,
                       QStringLiteral("writing failed: ") + file.errorString());

    WriteOutcome outcome;
    outcome.bSuccess = true;
    outcome.sPath = path;
    return outcome;
}

void formatConfig(Utf16Buffer& out, const CFOMOD& project, const QString& versionText,
                  const QString& homePage) {
    out.mark();
    out.literal(u"<!-- Created with Quarvel ");
    out.verbatim(versionText);
    out.literal(u" [");
    out.verbatim(homePage);
    out.literal(u"] --> \n");
    out.literal(u"<config xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                u"xsi:noNamespaceSchemaLocation=\"http://qconsulting.ca/fo3/ModConfig5.0.xsd\"> "
                u"\n");

    out.literal(u"\t<moduleName>");
    out.text(project.sName);
    out.literal(u"</moduleName> \n");

    if (!project.sImage.isEmpty()) {
        out.literal(u"\t<moduleImage path=\"");
        out.attribute(project.sImage);
        out.literal(u"\" /> \n");
    }

    if (!project.vRequiredFiles.isEmpty()) {
        out.literal(u"\t<requiredInstallFiles> \n");
        for (const CFile& file : project.vRequiredFiles)
            writeFileEntry(out, file, u"\t\t", false);
        out.literal(u"\t</requiredInstallFiles> \n");
    }

    if (!project.vSteps.isEmpty()) {
        out.literal(u"\t<installSteps order=\"Explicit\"> \n");
        for (const CStep& step : project.vSteps)
            writeStep(out, step);
        out.literal(u"\t</installSteps> \n");
    }

    if (!project.vConditionalFiles.isEmpty()) {
        out.literal(u"\t<conditionalFileInstalls> \n");
        out.literal(u"\t\t<patterns> \n");
        for (const CConditionalFile& conditional : project.vConditionalFiles)
            writeConditionalFile(out, conditional);
        out.literal(u"\t\t</patterns> \n");
        out.literal(u"\t</conditionalFileInstalls> \n");
    }

    out.literal(u"</config>");
}

} // namespace

QByteArray configFileBytes(const CFOMOD& project, const QString& versionText,
                           const QString& homePage) {
    Utf16Buffer out(estimatedConfigUnits(project) + versionText.size() + homePage.size());
    formatConfig(out, project, versionText, homePage);
    return out.take();
}

WriteOutcome writeInfoFile(const CFOMOD& project, const QString& rootDir) {
    return writeStreamed(
        ProjectFiles::infoFile(rootDir), QStringLiteral("Can't open 'fomod\\info.xml' for write"),
        QStringLiteral("temp_Quarvel"), [&](Utf16Buffer& out) { formatInfo(out, project); });
}

WriteOutcome writeConfigFile(const CFOMOD& project, const QString& rootDir,
                             const QString& versionText, const QString& homePage) {
    return writeStreamed(
        ProjectFiles::configFile(rootDir),
        QStringLiteral("Can't open 'fomod\\ModuleConfig.xml' for write"), QStringLiteral("Quarvel"),
        [&](Utf16Buffer& out) { formatConfig(out, project, versionText, homePage); });
}

} // namespace InstallerWriter
