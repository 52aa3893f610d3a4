#include "triggers/Tidelink.h"

#include "base/FolderChooser.h"
#include "base/StateField.h"
#include "commands/CommandCatalogue.h"
#include "commands/CommandOperations.h"
#include "conventions/Timer.h"

#include <QCheckBox>

namespace {

struct Trigger {
    const char* name;
    const QString& command;
};

// The names in the order they are looked for, with the catalogue command each stands for.
const Trigger kTriggers[] = {
    {"Alarm", CommandCatalogue::kAlarm},         {"Shutdown", CommandCatalogue::kShutdown},
    {"Run", CommandCatalogue::kRunFile},         {"Restart", CommandCatalogue::kRestart},
    {"Logoff", CommandCatalogue::kLogOff},       {"Standby", CommandCatalogue::kStandby},
    {"Hibernate", CommandCatalogue::kHibernate},
};

constexpr int kTickMs = 100;
constexpr qint64 kBlock = 4096;

} // namespace

Tidelink::Tidelink(Links links, QObject* parent)
    : QObject(parent)
    , Text5(new StateField(QStringLiteral("1"), this))
    , Timer6(links.timers.createTimer())
    , m_links(links) {
    Timer6->setSingleShot(true);
    connect(Timer6.get(), &conv::Timer::timeout, this, [this] {
        if (enabled() && !m_links.folder.isWatching())
            rearm();
        check();
    });
    connect(&m_links.folder, &FolderAccess::changed, this, &Tidelink::requestCheck);
    for (QCheckBox* box :
         {&m_links.Check1, &m_links.Check2, &m_links.Check3, &m_links.Check4, &m_links.Check5})
        connect(box, &QCheckBox::stateChanged, this, &Tidelink::rearm);
    connect(&m_links.BrowseFolder1, &FolderChooser::pathChanged, this, &Tidelink::rearm);
}

Tidelink::~Tidelink() {
    m_links.folder.unwatch();
}

bool Tidelink::enabled() const {
    // The grey state counts as unchecked.
    return m_links.Check1.checkState() == Qt::Checked;
}

QStringList Tidelink::enabledNames() const {
    const struct {
        const QCheckBox& box;
        const char* extension;
    } types[] = {{m_links.Check2, "txt"},
                 {m_links.Check3, "jpg"},
                 {m_links.Check4, "gif"},
                 {m_links.Check5, "bmp"}};
    QStringList names;
    for (const auto& type : types) {
        if (type.box.checkState() != Qt::Checked)
            continue;
        for (const Trigger& trigger : kTriggers)
            names << QString::fromLatin1(trigger.name) + u'.' + QLatin1String(type.extension);
    }
    return names;
}

QString Tidelink::triggerPath(const QString& folder, const QString& name) {
    // The path is used as given: a trailing separator doubles harmlessly.
    return folder + u'/' + name;
}

void Tidelink::rearm() {
    m_links.folder.unwatch();
    if (!enabled()) {
        Timer6->stop();
        return;
    }
    const QString folder = m_links.BrowseFolder1.path();
    m_links.folder.watch(folder.isEmpty() ? QStringLiteral("/") : folder, enabledNames());
    requestCheck();
}

void Tidelink::requestCheck() {
    // Handed to the loop: during the load the command list and power controller are not
    // ready yet, and several reports at once give one look.
    Timer6->setInterval(0);
    Timer6->start();
}

void Tidelink::check() {
    if (!enabled())
        return;
    if (m_checking) { // a command let the loop run (a dialog): look again afterwards
        m_again = true;
        return;
    }
    m_checking = true;
    do {
        m_again = false;
        const QString folder = m_links.BrowseFolder1.path();
        for (const QString& name : enabledNames()) {
            if (!enabled())
                break;
            handle(triggerPath(folder, name), name);
        }
    } while (m_again && enabled());
    m_checking = false;
    if (enabled() && !m_links.folder.isWatching()) {
        Timer6->setInterval(kTickMs);
        Timer6->start();
    }
}

void Tidelink::handle(const QString& path, const QString& name) {
    const FolderAccess::Entry entry = m_links.folder.inspect(path);
    if (entry.kind != FolderAccess::Kind::File && entry.kind != FolderAccess::Kind::Link) {
        m_stuck.remove(path);
        return;
    }
    const auto stuck = m_stuck.constFind(path);
    if (stuck != m_stuck.cend() && *stuck == entry.identity)
        return;
    m_stuck.remove(path);

    bool gone = false;
    if (entry.kind == FolderAccess::Kind::File && entry.links == 1) {
        gone = DestroyFile(path);
    } else {
        // A link's target, or the content another name shares, is not the trigger's to
        // overwrite: only this name goes.
        gone = m_links.folder.remove(path);
        if (gone)
            Text5->setText(QStringLiteral("0"));
    }
    if (!gone) // as it is now: an overwrite that reached it before the delete failed changed it
        m_stuck.insert(path, m_links.folder.inspect(path).identity);
    Text5->setText(QStringLiteral("1"));
    Text5->setText(QStringLiteral("0"));
    perform(name.left(name.lastIndexOf(u'.')));
}

void Tidelink::perform(const QString& name) {
    for (const Trigger& trigger : kTriggers) {
        if (name == QLatin1String(trigger.name))
            m_links.commands.perform(trigger.command);
    }
}

bool Tidelink::overwrite(const QString& path) {
    const auto file = m_links.folder.openForOverwrite(path);
    if (!file)
        return false;
    const qint64 length = file->length();
    if (length < 0)
        return false;
    const QByteArray xs(kBlock, 'X');
    const QByteArray blanks(kBlock, ' ');
    for (qint64 block = 0; block < length / kBlock + 1; ++block) {
        if (!file->writeAt(block * kBlock, xs) || !file->writeAt(block * kBlock, blanks))
            return false;
    }
    // Else the delete may reach the disk first and the old content stay there.
    return file->flush();
}

bool Tidelink::DestroyFile(const QString& path) {
    if (!overwrite(path) || !m_links.folder.remove(path))
        return false;
    Text5->setText(QStringLiteral("0"));
    return true;
}
