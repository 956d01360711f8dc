#pragma once

#include "installer/ReadReport.h"
#include "model/FomodFormat.h"

#include <QList>
#include <QString>
#include <QStringView>

// What a ModuleConfig.xml can say that a project cannot hold. This follows the nesting, tag by
// tag, only while a read report is asked for, and notes every construct that saving would drop:
// elements that are not part of the format (with everything inside them, comments included) and
// elements the reader found where the project has no place for them.
namespace NotKept {

using FomodFormat::Element;

class StructureNotes {
public:
    explicit StructureNotes(QList<NotKeptNote>& notes);

    // A start tag, before the reader acts on it. `writtenName` is the name as the file spells it.
    void open(Element kind, QStringView writtenName, qsizetype line, bool selfClosing);
    // An end tag: closes the innermost open element of that name and those left open in it.
    void close(QStringView writtenName);
    // The end of the text: closes what is still open and puts the notes in line order.
    void finish();

    // A note for something the reader passed over, unless it stands inside something already
    // noted as dropped whole.
    void noteDropped(qsizetype line, QStringView construct, const QString& message);

private:
    struct OpenElement {
        QStringView name;
        bool bDropped = false; // it and everything inside it are lost: noted once
    };

    void note(qsizetype line, QStringView construct, const QString& message);

    QList<NotKeptNote>& m_notes;
    const qsizetype m_firstNote;
    QList<OpenElement> m_open;
    // Elements nested deeper than this are followed as if they had no content: a hostile file
    // cannot make closing an element search an endless stack.
    static constexpr qsizetype kMaxDepth = 256;
};

} // namespace NotKept
