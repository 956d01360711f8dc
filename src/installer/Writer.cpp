#include "installer/Writer.h"

#include "installer/Encoding.h"
#include "installer/Escaping.h"
#include "installer/ProjectFiles.h"
#include "installer/Utf16Buffer.h"
#include "model/FomodFormat.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QVarLengthArray>

namespace InstallerWriter {

namespace {

// Room for the whole file, so the buffer is not copied while it grows: every text once and
// a generous allowance for each line's own characters.
constexpr qsizetype kLineUnits = 64;

qsizetype commentUnits(const QList<CComment>& comments) {
    qsizetype units = 0;
    for (const CComment& c : comments)
        units += kLineUnits + c.sText.size();
    return units;
}

qsizetype dependencyUnits(const QList<CDependency>& dependencies) {
    qsizetype units = 0;
    for (const CDependency& d : dependencies)
        units += kLineUnits + d.sName.size() + d.sValue.size() + commentUnits(d.vComments) +
                 (d.vDependencies.isEmpty() ? 0 : kLineUnits + dependencyUnits(d.vDependencies));
    return units;
}

qsizetype fileUnits(const QList<CFile>& files) {
    qsizetype units = 0;
    for (const CFile& f : files)
        units += kLineUnits + f.sType.size() + f.sSource.size() + f.sDestination.size() +
                 f.sAlwaysInstall.size() + f.sInstallIfUsable.size() + commentUnits(f.vComments);
    return units;
}

qsizetype estimatedConfigUnits(const CFOMOD& project) {
    qsizetype units = 16 * kLineUnits + project.sName.size() + project.sTitle.size() +
                      project.sImage.size() + fileUnits(project.vRequiredFiles) +
                      dependencyUnits(project.vModuleDependencies) +
                      commentUnits(project.vComments);
    for (const CStep& step : project.vSteps) {
        units += 8 * kLineUnits + step.sName.size() + dependencyUnits(step.vVisibility) +
                 commentUnits(step.vComments);
        for (const CPluginGroup& group : step.vGroups) {
            units += 4 * kLineUnits + group.sName.size() + group.sType.size() +
                     commentUnits(group.vComments);
            for (const CPlugin& plugin : group.vPlugins) {
                units += 12 * kLineUnits + plugin.sName.size() + plugin.sDescription.size() +
                         plugin.sImage.size() + fileUnits(plugin.vFiles) +
                         commentUnits(plugin.vComments);
                for (const CCondition& flag : plugin.vConditionFlags)
                    units += kLineUnits + flag.sName.size() + flag.sValue.size() +
                             commentUnits(flag.vComments);
                for (const CDependencyPattern& pattern : plugin.vPatterns)
                    units += 6 * kLineUnits + dependencyUnits(pattern.vDependencies) +
                             commentUnits(pattern.vComments);
            }
        }
    }
    for (const CConditionalFile& conditional : project.vConditionalFiles)
        units += 6 * kLineUnits + dependencyUnits(conditional.vDependencies) +
                 fileUnits(conditional.vFiles) + commentUnits(conditional.vComments);
    return units;
}

// The indentation of a nesting level: one tab a level.
QStringView indent(int level) {
    static const QString tabs(300, u'\t');
    return QStringView(tabs).first(qBound(0, level, int(tabs.size())));
}

// The comments of one element of the model, each written on its own line where it stood
// (FomodFormat::Anchor). What stood before a part that is not written comes before the
// element's end.
class CommentWriter {
public:
    CommentWriter(Utf16Buffer& out, const QList<CComment>& comments)
        : m_out(out), m_comments(comments), m_written(comments.size(), false) {}

    void at(QStringView anchor, int level) {
        for (qsizetype i = 0; i < m_comments.size(); ++i) {
            if (!m_written[i] && m_comments[i].sAt == anchor)
                write(i, level);
        }
    }
    // Before the element's end tag.
    void atEnd(int level) {
        at(FomodFormat::Anchor::kEnd, level);
        for (qsizetype i = 0; i < m_comments.size(); ++i) {
            if (!m_written[i] && m_comments[i].sAt != FomodFormat::Anchor::kAfterConfig)
                write(i, level);
        }
    }

private:
    void write(qsizetype i, int level) {
        m_written[i] = true;
        m_out.literal(indent(level));
        m_out.literal(u"<!--");
        m_out.verbatim(m_comments[i].sText);
        m_out.literal(u"--> \n");
    }

    Utf16Buffer& m_out;
    const QList<CComment>& m_comments;
    QVarLengthArray<bool, 8> m_written;
};

// An operator that is not set means "And", the schema's default; written empty it would make
// Vortex and every validating reader refuse the file (other tools often leave it out).
void writeOperator(Utf16Buffer& out, const QString& sOperator) {
    if (sOperator.isEmpty())
        out.literal(u"And");
    else
        out.attribute(sOperator);
}

// ` name="value"`, only for a value that is set.
void writeOptionalAttribute(Utf16Buffer& out, QStringView name, const QString& value) {
    if (value.isEmpty())
        return;
    out.literal(u" ");
    out.literal(name);
    out.literal(u"=\"");
    out.attribute(value);
    out.literal(u"\"");
}

void writeDependencies(Utf16Buffer& out, const QList<CDependency>& dependencies, int level);

// A group of conditions: its operator only where one was given.
void writeGroup(Utf16Buffer& out, const CDependency& group, int level) {
    out.literal(indent(level));
    out.literal(u"<dependencies");
    writeOptionalAttribute(out, u"operator", group.sOperator);
    out.literal(u"> \n");
    writeDependencies(out, group.vDependencies, level + 1);
}

// The dependency lines of one list, at the given indentation; unknown types write nothing.
void writeDependencies(Utf16Buffer& out, const QList<CDependency>& dependencies, int level) {
    for (const CDependency& dependency : dependencies) {
        CommentWriter comments(out, dependency.vComments);
        comments.at(FomodFormat::Anchor::kBefore, level);
        if (dependency.sType == u"group") {
            writeGroup(out, dependency, level);
            comments.atEnd(level + 1);
            out.literal(indent(level));
            out.literal(u"</dependencies> \n");
            continue;
        }
        comments.atEnd(level);
        if (dependency.sType == u"file") {
            out.literal(indent(level));
            out.literal(u"<fileDependency file=\"");
            out.attribute(dependency.sName);
            out.literal(u"\" state=\"");
            out.attribute(dependency.sValue);
            out.literal(u"\"/> \n");
        } else if (dependency.sType == u"flag") {
            out.literal(indent(level));
            out.literal(u"<flagDependency flag=\"");
            out.attribute(dependency.sName);
            out.literal(u"\" value=\"");
            out.attribute(dependency.sValue);
            out.literal(u"\"/> \n");
        } else if (const auto kind = FomodFormat::versionElement(dependency.sType);
                   kind != FomodFormat::Element::Unknown) {
            out.literal(indent(level));
            out.literal(u"<");
            out.literal(FomodFormat::writtenName(kind));
            out.literal(u" version=\"");
            out.attribute(dependency.sValue);
            out.literal(u"\"/> \n");
        }
    }
}

// Priorities of required installs are written only where they are not the default.
enum class Priority { Always, UnlessZero };

void writeFileEntry(Utf16Buffer& out, const CFile& file, int level, Priority priority) {
    CommentWriter comments(out, file.vComments);
    comments.atEnd(level);
    out.literal(indent(level));
    out.literal(u"<");
    out.text(file.sType);
    out.literal(u" source=\"");
    out.attribute(file.sSource);
    out.literal(u"\" destination=\"");
    out.attribute(file.sDestination);
    if (priority == Priority::Always || file.iPriority != 0) {
        out.literal(u"\" priority=\"");
        out.number(file.iPriority);
    }
    out.literal(u"\"");
    writeOptionalAttribute(out, u"alwaysInstall", file.sAlwaysInstall);
    writeOptionalAttribute(out, u"installIfUsable", file.sInstallIfUsable);
    out.literal(u" /> \n");
}

// `<files>` with its entries, and the comments of its holder around them.
void writeFiles(Utf16Buffer& out, CommentWriter& comments, QStringView part, QStringView partEnd,
                const QList<CFile>& files, int level, Priority priority) {
    comments.at(part, level);
    out.literal(indent(level));
    out.literal(u"<files> \n");
    for (const CFile& file : files)
        writeFileEntry(out, file, level + 1, priority);
    comments.at(partEnd, level + 1);
    out.literal(indent(level));
    out.literal(u"</files> \n");
}

// A list's order attribute as read; none where none was read.
void writeOrder(Utf16Buffer& out, const QString& order) {
    if (order.isEmpty())
        return;
    out.literal(u" order=\"");
    out.attribute(order);
    out.literal(u"\"");
}

// A list whose order the file sets (`installSteps`, `optionalFileGroups`, `plugins`), with
// its entries and the comments of its holder around them.
template <typename Entry, typename WriteEntry>
void writeOrderedList(Utf16Buffer& out, CommentWriter& comments, QStringView name, QStringView end,
                      const QString& order, int level, const QList<Entry>& entries,
                      WriteEntry writeEntry) {
    comments.at(name, level);
    out.literal(indent(level));
    out.literal(u"<");
    out.literal(name);
    writeOrder(out, order);
    out.literal(u"> \n");
    for (const Entry& entry : entries)
        writeEntry(out, entry);
    comments.at(end, level + 1);
    out.literal(indent(level));
    out.literal(u"</");
    out.literal(name);
    out.literal(u"> \n");
}

void writePlugin(Utf16Buffer& out, const CPlugin& plugin) {
    CommentWriter comments(out, plugin.vComments);
    comments.at(FomodFormat::Anchor::kBefore, 6);
    out.literal(u"\t\t\t\t\t\t<plugin name=\"");
    out.attribute(plugin.sName);
    out.literal(u"\"> \n");

    comments.at(u"description", 7);
    out.literal(u"\t\t\t\t\t\t\t<description>");
    out.verbatim(Escaping::normaliseModDescription(plugin.sDescription));
    out.literal(u"</description> \n");

    if (!plugin.sImage.isEmpty()) {
        comments.at(u"image", 7);
        out.literal(u"\t\t\t\t\t\t\t<image path=\"");
        out.attribute(plugin.sImage);
        out.literal(u"\" /> \n");
    }

    if (!plugin.vConditionFlags.isEmpty()) {
        comments.at(u"conditionFlags", 7);
        out.literal(u"\t\t\t\t\t\t\t<conditionFlags> \n");
        for (const CCondition& flag : plugin.vConditionFlags) {
            CommentWriter flagComments(out, flag.vComments);
            flagComments.atEnd(8);
            out.literal(u"\t\t\t\t\t\t\t\t<flag name=\"");
            out.attribute(flag.sName);
            out.literal(u"\">");
            out.text(flag.sValue);
            out.literal(u"</flag> \n");
        }
        comments.at(u"conditionFlags/", 8);
        out.literal(u"\t\t\t\t\t\t\t</conditionFlags> \n");
    }

    // A plugin needs files or flags to be valid; a "None" option gets an empty files element.
    if (!plugin.vFiles.isEmpty() || plugin.vConditionFlags.isEmpty())
        writeFiles(out, comments, u"files", u"files/", plugin.vFiles, 7, Priority::Always);

    comments.at(u"typeDescriptor", 7);
    out.literal(u"\t\t\t\t\t\t\t<typeDescriptor> \n");
    if (plugin.vPatterns.isEmpty()) {
        comments.at(u"typeDescriptor/type", 8);
        out.literal(u"\t\t\t\t\t\t\t\t<type name=\"");
        out.attribute(plugin.sType);
        out.literal(u"\"/> \n");
    } else {
        comments.at(u"typeDescriptor/dependencyType", 8);
        out.literal(u"\t\t\t\t\t\t\t\t<dependencyType> \n");
        comments.at(u"typeDescriptor/dependencyType/defaultType", 9);
        out.literal(u"\t\t\t\t\t\t\t\t\t<defaultType name=\"");
        out.attribute(plugin.sType);
        out.literal(u"\"/> \n");
        comments.at(u"typeDescriptor/dependencyType/patterns", 9);
        out.literal(u"\t\t\t\t\t\t\t\t\t<patterns> \n");
        for (const CDependencyPattern& pattern : plugin.vPatterns) {
            CommentWriter patternComments(out, pattern.vComments);
            patternComments.at(FomodFormat::Anchor::kBefore, 10);
            out.literal(u"\t\t\t\t\t\t\t\t\t\t<pattern> \n");
            patternComments.at(u"dependencies", 11);
            out.literal(u"\t\t\t\t\t\t\t\t\t\t\t<dependencies operator=\"");
            writeOperator(out, pattern.sOperator);
            out.literal(u"\"> \n");
            writeDependencies(out, pattern.vDependencies, 12);
            patternComments.at(u"dependencies/", 12);
            out.literal(u"\t\t\t\t\t\t\t\t\t\t\t</dependencies> \n");
            patternComments.at(u"type", 11);
            out.literal(u"\t\t\t\t\t\t\t\t\t\t\t<type name=\"");
            out.attribute(pattern.sType);
            out.literal(u"\"/> \n");
            patternComments.atEnd(11);
            out.literal(u"\t\t\t\t\t\t\t\t\t\t</pattern> \n");
        }
        comments.at(u"typeDescriptor/dependencyType/patterns/", 10);
        out.literal(u"\t\t\t\t\t\t\t\t\t</patterns> \n");
        comments.at(u"typeDescriptor/dependencyType/", 9);
        out.literal(u"\t\t\t\t\t\t\t\t</dependencyType> \n");
    }
    comments.at(u"typeDescriptor/", 8);
    out.literal(u"\t\t\t\t\t\t\t</typeDescriptor> \n");
    comments.atEnd(7);
    out.literal(u"\t\t\t\t\t\t</plugin> \n");
}

void writeGroupOfPlugins(Utf16Buffer& out, const CPluginGroup& group) {
    CommentWriter comments(out, group.vComments);
    comments.at(FomodFormat::Anchor::kBefore, 4);
    out.literal(u"\t\t\t\t<group name=\"");
    out.attribute(group.sName);
    out.literal(u"\" type=\"");
    out.attribute(group.sType);
    out.literal(u"\"> \n");
    writeOrderedList(out, comments, u"plugins", u"plugins/", group.sPluginOrder, 5, group.vPlugins,
                     writePlugin);
    comments.atEnd(5);
    out.literal(u"\t\t\t\t</group> \n");
}

void writeStep(Utf16Buffer& out, const CStep& step) {
    CommentWriter comments(out, step.vComments);
    comments.at(FomodFormat::Anchor::kBefore, 2);
    out.literal(u"\t\t<installStep name=\"");
    out.attribute(step.sName);
    out.literal(u"\"> \n");

    if (!step.vVisibility.isEmpty()) {
        comments.at(u"visible", 3);
        out.literal(u"\t\t\t<visible> \n");
        comments.at(u"visible/dependencies", 4);
        out.literal(u"\t\t\t\t<dependencies operator=\"");
        writeOperator(out, step.sOperator);
        out.literal(u"\"> \n");
        writeDependencies(out, step.vVisibility, 6);
        comments.at(u"visible/dependencies/", 6);
        out.literal(u"\t\t\t\t</dependencies> \n");
        comments.at(u"visible/", 4);
        out.literal(u"\t\t\t</visible> \n");
    }

    writeOrderedList(out, comments, u"optionalFileGroups", u"optionalFileGroups/", step.sGroupOrder,
                     3, step.vGroups, writeGroupOfPlugins);
    comments.atEnd(3);
    out.literal(u"\t\t</installStep> \n");
}

// Schema validators and Vortex refuse a conditional install without its dependencies or its
// files element, so both are always written. An empty dependencies element stands for "no
// conditions", which every mod manager reads as always true only with "And".
void writeConditionalFile(Utf16Buffer& out, const CConditionalFile& conditional) {
    CommentWriter comments(out, conditional.vComments);
    comments.at(FomodFormat::Anchor::kBefore, 3);
    out.literal(u"\t\t\t<pattern> \n");
    comments.at(u"dependencies", 4);
    out.literal(u"\t\t\t\t<dependencies operator=\"");
    if (conditional.vDependencies.isEmpty())
        out.literal(u"And");
    else
        writeOperator(out, conditional.sOperator);
    out.literal(u"\"> \n");
    writeDependencies(out, conditional.vDependencies, 5);
    comments.at(u"dependencies/", 5);
    out.literal(u"\t\t\t\t</dependencies> \n");
    writeFiles(out, comments, u"files", u"files/", conditional.vFiles, 4, Priority::Always);
    comments.atEnd(4);
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

// The title: the installer's own where it has one, else the mod's name.
void writeModuleName(Utf16Buffer& out, const CFOMOD& project) {
    out.literal(u"\t<moduleName");
    writeOptionalAttribute(out, u"position", project.sTitlePosition);
    writeOptionalAttribute(out, u"colour", project.sTitleColour);
    out.literal(u">");
    out.text(project.sTitle.isEmpty() ? project.sName : project.sTitle);
    out.literal(u"</moduleName> \n");
}

void writeModuleImage(Utf16Buffer& out, const CFOMOD& project) {
    if (project.sImage.isEmpty() && project.sShowImage.isEmpty() && project.sShowFade.isEmpty() &&
        project.sImageHeight.isEmpty())
        return;
    // The path is optional: a header read without one (only its display settings) keeps none.
    out.literal(u"\t<moduleImage");
    writeOptionalAttribute(out, u"path", project.sImage);
    writeOptionalAttribute(out, u"showImage", project.sShowImage);
    writeOptionalAttribute(out, u"showFade", project.sShowFade);
    writeOptionalAttribute(out, u"height", project.sImageHeight);
    out.literal(u" /> \n");
}

void writeModuleDependencies(Utf16Buffer& out, CommentWriter& comments, const CFOMOD& project) {
    if (project.vModuleDependencies.isEmpty())
        return;
    comments.at(u"moduleDependencies", 1);
    out.literal(u"\t<moduleDependencies");
    writeOptionalAttribute(out, u"operator", project.sModuleOperator);
    out.literal(u"> \n");
    writeDependencies(out, project.vModuleDependencies, 2);
    comments.at(u"moduleDependencies/", 2);
    out.literal(u"\t</moduleDependencies> \n");
}

void formatConfig(Utf16Buffer& out, const CFOMOD& project, const QString& versionText,
                  const QString& homePage) {
    CommentWriter comments(out, project.vComments);
    out.mark();
    out.literal(u"<!-- Created with Quarvel ");
    out.verbatim(versionText);
    out.literal(u" [");
    out.verbatim(homePage);
    out.literal(u"] --> \n");
    comments.at(FomodFormat::Anchor::kBefore, 0);
    out.literal(u"<config xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                u"xsi:noNamespaceSchemaLocation=\"http://qconsulting.ca/fo3/ModConfig5.0.xsd\"> "
                u"\n");

    comments.at(u"moduleName", 1);
    writeModuleName(out, project);
    comments.at(u"moduleImage", 1);
    writeModuleImage(out, project);
    writeModuleDependencies(out, comments, project);

    if (!project.vRequiredFiles.isEmpty()) {
        comments.at(u"requiredInstallFiles", 1);
        out.literal(u"\t<requiredInstallFiles> \n");
        for (const CFile& file : project.vRequiredFiles)
            writeFileEntry(out, file, 2, Priority::UnlessZero);
        comments.at(u"requiredInstallFiles/", 2);
        out.literal(u"\t</requiredInstallFiles> \n");
    }

    if (!project.vSteps.isEmpty())
        writeOrderedList(out, comments, u"installSteps", u"installSteps/", project.sStepOrder, 1,
                         project.vSteps, writeStep);

    if (!project.vConditionalFiles.isEmpty()) {
        comments.at(u"conditionalFileInstalls", 1);
        out.literal(u"\t<conditionalFileInstalls> \n");
        comments.at(u"conditionalFileInstalls/patterns", 2);
        out.literal(u"\t\t<patterns> \n");
        for (const CConditionalFile& conditional : project.vConditionalFiles)
            writeConditionalFile(out, conditional);
        comments.at(u"conditionalFileInstalls/patterns/", 3);
        out.literal(u"\t\t</patterns> \n");
        comments.at(u"conditionalFileInstalls/", 2);
        out.literal(u"\t</conditionalFileInstalls> \n");
    }

    comments.atEnd(1);
    out.literal(u"</config>");
    // What followed the configuration, after it again.
    for (const CComment& comment : project.vComments) {
        if (comment.sAt != FomodFormat::Anchor::kAfterConfig)
            continue;
        out.literal(u" \n<!--");
        out.verbatim(comment.sText);
        out.literal(u"-->");
    }
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
