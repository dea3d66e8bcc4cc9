#include "tools/monkey/MonkeyPrompter.h"

#include "tools/monkey/ActionLog.h"
#include "tools/monkey/Dice.h"

#include <QDirIterator>

namespace korvanta::monkey {

namespace {

void Note(const QString& what)
{
    ActionLog::Note("  answered " + what.left(200).toStdString());
}

}  // namespace

MonkeyPrompter::MonkeyPrompter(Dice& dice, QString files, QString corpus)
    : m_dice(dice), m_files(std::move(files)), m_corpus(std::move(corpus))
{
}

void MonkeyPrompter::Message(QWidget*, const QString& text)
{
    ++m_asked;
    Note("message: " + text);
}

bool MonkeyPrompter::Confirm(QWidget*, const QString& question)
{
    ++m_asked;
    const bool yes = m_dice.Chance(50);
    Note(QString(yes ? "yes" : "no") + " to: " + question);
    return yes;
}

QStringList MonkeyPrompter::Existing(const QString& folder) const
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    // The listing order of a folder is the file system's; a replay needs the same one.
    found.sort();
    return found;
}

QString MonkeyPrompter::SaveName()
{
    static const QStringList kNames = {
        "picture", "picture.png", "picture.fra", "existing.png", "readonly.bmp", "readonly-folder/inside.png",
        "a folder.fra", "a folder.frm", "missing-folder/picture.bmp", "Ünï cødé ✓ 名前", ".hidden",
        "name.with.dots.tga", "picture.PNG", "picture.wmf", "macro", "macro.frm", "trailing-space ",
        QString(200, 'n'), QString(300, 'l') + ".png", QString(100, 'd') + "/" + QString(100, 'e')};
    QString name = m_dice.Pick(kNames);
    if (m_dice.Chance(20)) {
        const QStringList existing = Existing(m_files);
        if (!existing.isEmpty())
            return m_dice.Pick(existing);
    }
    return m_files + "/" + name;
}

QString MonkeyPrompter::OpenName()
{
    switch (m_dice.Below(4)) {
    case 0:
    case 1: {
        const QStringList corpus = Existing(m_corpus + "/document") + Existing(m_corpus + "/macro") +
                                   Existing(m_corpus + "/desktop") + Existing(m_corpus + "/png-parameters") +
                                   Existing(m_corpus + "/location");
        if (!corpus.isEmpty())
            return m_dice.Pick(corpus);
        break;
    }
    case 2: {
        const QStringList existing = Existing(m_files);
        if (!existing.isEmpty())
            return m_dice.Pick(existing);
        break;
    }
    default:
        break;
    }
    // A file dialog never answers with no name at all.
    static const QStringList kNames = {"missing.fra", "missing", "a folder.fra", "a folder.frm",
                                       "readonly-folder", QString(300, 'l') + ".fra", "Ünï cødé ✓ 名前.frm"};
    return m_files + "/" + m_dice.Pick(kNames);
}

std::optional<Prompter::FileChoice> MonkeyPrompter::SaveFile(QWidget*, const QString& filters)
{
    ++m_asked;
    if (m_dice.Chance(10)) {
        Note("save dialog: cancel");
        return std::nullopt;
    }
    const int count = static_cast<int>(filters.split(";;").size());
    FileChoice choice{SaveName(), m_dice.Between(1, count)};
    Note(QString("save dialog: %1 as filter %2").arg(choice.path).arg(choice.filter));
    return choice;
}

std::optional<QString> MonkeyPrompter::OpenFile(QWidget*, const QString&)
{
    ++m_asked;
    if (m_dice.Chance(10)) {
        Note("open dialog: cancel");
        return std::nullopt;
    }
    const QString name = OpenName();
    Note("open dialog: " + name);
    return name;
}

}  // namespace korvanta::monkey
