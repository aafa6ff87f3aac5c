#include "fleet/fleet_wording.h"

#include "board/untrusted_text.h"
#include "fleet/fleet_jobs.h"
#include "fleet/fleet_model.h"
#include "wire/board_address.h"

#include <QCoreApplication>

namespace talvik::fleet {

namespace {
// A count of bytes in words; %n counts only to 2^31, and the plural rules of both languages
// look at no more than the last two digits.
QString byteCount(qint64 n)
{
    const int form = n <= INT_MAX ? int(n) : int(n % 100) + 100;
    return QCoreApplication::translate("FleetWindow", "%1 байтів", nullptr, form).arg(n);
}
} // namespace

QString fieldTitles(const QStringList& fields)
{
    QStringList titles;
    for (const QString& field : fields) {
        const int column = columnOf(field);
        titles.append(column < 0 ? field : FleetModel::columnTitle(column));
    }
    return titles.join(QStringLiteral(", "));
}

QList<ChangedField> titledChanges(const BoardConfig& now, const WriteFields& next)
{
    QList<ChangedField> rows =
        changedFields(now, BoardConfig{now.address, next, now.version, Memory::Permanent});
    for (ChangedField& row : rows)
        row.field = fieldTitles({row.field});
    return rows;
}

QString noAnswerState(Reason why, qsizetype bytes)
{
    switch (why) {
    case Reason::ShortReply:
        return QCoreApplication::translate("FleetWindow", "неповна відповідь (%n байтів)", nullptr,
                                           int(bytes));
    case Reason::NoVersion:
        return QCoreApplication::translate("FleetWindow",
                                           "у відповіді немає версії, тож немає прапорця DHCP");
    default:
        break;
    }
    return QCoreApplication::translate("FleetWindow", "не відповідає");
}

QString ipProblemsText(const WriteFields& f, BoardAddress board)
{
    QStringList out;
    const QString ip = dottedText(f.ip), mask = dottedText(f.mask);
    for (IpProblem problem : ipProblems(f, board)) {
        switch (problem) {
        case IpProblem::Zero:
            out.append(QCoreApplication::translate("FleetWindow", "IP 0.0.0.0 — не адреса вузла"));
            break;
        case IpProblem::Broadcast:
            out.append(QCoreApplication::translate("FleetWindow", "IP 255.255.255.255 — широкомовна адреса"));
            break;
        case IpProblem::Multicast:
            out.append(QCoreApplication::translate("FleetWindow", "IP %1 — групова або зарезервована адреса")
                           .arg(ip));
            break;
        case IpProblem::Loopback:
            out.append(QCoreApplication::translate(
                           "FleetWindow", "IP %1 — локальна адреса комп'ютера: плата нікому не відповість")
                           .arg(ip));
            break;
        case IpProblem::NetworkOfMask:
            out.append(QCoreApplication::translate("FleetWindow", "IP %1 — адреса мережі для маски %2")
                           .arg(ip, mask));
            break;
        case IpProblem::BroadcastOfMask:
            out.append(
                QCoreApplication::translate("FleetWindow", "IP %1 — широкомовна адреса мережі для маски %2")
                    .arg(ip, mask));
            break;
        case IpProblem::MaskNotContiguous:
            out.append(QCoreApplication::translate("FleetWindow", "маска %1 має розрив в одиничних бітах")
                           .arg(mask));
            break;
        }
    }
    return out.join(QStringLiteral("; "));
}

QString refusalText(const Refusal& refusal, const WriteFields& fields, BoardAddress board)
{
    switch (refusal.kind) {
    case Reason::ConsoleOnlyFields:
        return QCoreApplication::translate("FleetWindow", "диспетчер і резервні адреси надсилаються лише з "
                                                          "динамічним пультом, а в цієї плати він статичний");
    case Reason::DhcpWithStaticConsole:
        return QCoreApplication::translate("FleetWindow",
                                           "DHCP зі статичним пультом: конфігуратор такого не записує");
    case Reason::NotCarried:
        return QCoreApplication::translate("FleetWindow", "зі статичним пультом кадр не несе: %1")
            .arg(fieldTitles(refusal.fields));
    case Reason::Unreachable:
        return ipProblemsText(fields, board);
    case Reason::NotPermanentMemory:
        return QCoreApplication::translate("FleetWindow", "це копія робочої конфігурації");
    case Reason::ChangedSince:
        return QCoreApplication::translate("FleetWindow", "плату змінено після цього запису");
    case Reason::OldBoardAnswers:
        return QCoreApplication::translate("FleetWindow", "на адресі %1 з копії ще відповідає плата")
            .arg(dottedText(fields.ip));
    case Reason::WrittenSince:
        return QCoreApplication::translate("FleetWindow", "плату записала пізніша робота %1")
            .arg(refusal.other);
    default:
        break;
    }
    return reasonKey(refusal.kind);
}

QString refusalsText(const QList<Refusal>& refusals, const WriteFields& fields, BoardAddress board)
{
    QStringList out;
    for (const Refusal& r : refusals)
        out.append(refusalText(r, fields, board));
    return out.join(QStringLiteral("; "));
}

namespace {
QString notTried(const BoardResult& r)
{
    if (r.outcome == Outcome::Cancelled)
        return QCoreApplication::translate("FleetWindow", "скасовано");
    return QCoreApplication::translate("FleetWindow", "не пробувано: %1")
        .arg(r.reason == Reason::JournalFailed
                 ? QCoreApplication::translate("FleetWindow", "журнал не записується")
                 : QCoreApplication::translate("FleetWindow", "роботу зупинено після невдач"));
}
} // namespace

QString writeState(const BoardResult& r)
{
    const QString notWritten =
        r.notWritten.isEmpty()
            ? QString()
            : QCoreApplication::translate("FleetWindow",
                                          "; не записано: %1 (зі статичним пультом кадр їх не несе)")
                  .arg(fieldTitles(r.notWritten));
    const WriteFields planned = r.config ? r.config->fields : WriteFields{};
    switch (r.outcome) {
    case Outcome::Done:
        return (r.takenAtReboot.isEmpty() ? QCoreApplication::translate("FleetWindow", "записано, перевірено")
                                          : QCoreApplication::translate(
                                                "FleetWindow", "записано; діятиме після перезавантаження")) +
               notWritten;
    case Outcome::Unverified:
    case Outcome::Planned:
        return QCoreApplication::translate("FleetWindow", "записано, не перевірено") + notWritten;
    case Outcome::Unchanged:
        return QCoreApplication::translate("FleetWindow", "нічого не зміниться");
    case Outcome::Mismatch: {
        QStringList differ;
        for (const Difference& d : r.differences)
            differ.append(d.field);
        return QCoreApplication::translate("FleetWindow", "записано, але плата має інше: %1")
                   .arg(fieldTitles(differ)) +
               notWritten;
    }
    case Outcome::Refused:
        return QCoreApplication::translate("FleetWindow", "не записано: %1")
            .arg(refusalsText(r.refusals, planned, r.board));
    case Outcome::Cancelled:
        if (r.sent) // ended at once between its write and its read-back
            return QCoreApplication::translate("FleetWindow", "записано, скасовано до перевірки");
        return notTried(r);
    case Outcome::NotTried:
        return notTried(r);
    case Outcome::Failed:
        break;
    }
    switch (r.reason) {
    case Reason::NotJournaled:
        return QCoreApplication::translate("FleetWindow", "не записано: %1").arg(r.detail);
    case Reason::NotSent:
        return QCoreApplication::translate("FleetWindow", "не вдалося надіслати");
    case Reason::NoReadBack:
        return QCoreApplication::translate("FleetWindow", "записано, не прочитано назад") + notWritten;
    default:
        break;
    }
    return QCoreApplication::translate("FleetWindow", "не записано: постійна пам'ять не прочитана");
}

QString rebootState(const BoardResult& r)
{
    if (r.outcome == Outcome::NotTried || r.outcome == Outcome::Cancelled)
        return notTried(r);
    if (r.outcome == Outcome::Done)
        return QCoreApplication::translate("FleetWindow", "знову на зв'язку");
    return r.reason == Reason::NotBack
               ? QCoreApplication::translate("FleetWindow", "не повернулася")
               : QCoreApplication::translate("FleetWindow", "не підтвердила перезавантаження");
}

QString backupState(const BoardResult& r, const std::optional<SaveError>& saveProblem)
{
    if (r.outcome == Outcome::Cancelled)
        return QCoreApplication::translate("FleetWindow", "скасовано");
    if (!r.config)
        return QCoreApplication::translate("FleetWindow", "копію не збережено: %1")
            .arg(noAnswerState(r.reason, r.replyBytes));
    if (!saveProblem)
        return QCoreApplication::translate("FleetWindow", "копію збережено");
    return QCoreApplication::translate("FleetWindow", "копію не збережено: %1")
        .arg(saveProblem->kind == SaveError::NoVersion
                 ? QCoreApplication::translate("FleetWindow",
                                               "у відповіді немає версії, тож немає прапорця DHCP")
                 : QCoreApplication::translate("FleetWindow", "файл %1 не вдалося записати (%2)")
                       .arg(QStringLiteral("«%1»").arg(escapeControls(saveProblem->file)),
                            escapeControls(saveProblem->systemError)));
}

QString byWords(const QString& by)
{
    // The words are looked up at each call: they are in the language installed now.
    static const QHash<QString, const char*> words{
        {QStringLiteral("configurator"), QT_TRANSLATE_NOOP("FleetWindow", "Конфігуратор")},
        {by::Apply, QT_TRANSLATE_NOOP("FleetWindow", "Мережа плат: застосування копій")},
        {by::Change, QT_TRANSLATE_NOOP("FleetWindow", "Мережа плат: зміна полів")},
        {by::Replace, QT_TRANSLATE_NOOP("FleetWindow", "Мережа плат: заміна плати")},
        {by::Undo, QT_TRANSLATE_NOOP("FleetWindow", "Мережа плат: повернення")},
        {by::UndoJob, QT_TRANSLATE_NOOP("FleetWindow", "Мережа плат: повернення роботи")},
        {by::RetryJob, QT_TRANSLATE_NOOP("FleetWindow", "Мережа плат: повтор роботи")},
        {by::Reboot, QT_TRANSLATE_NOOP("FleetWindow", "Мережа плат: перезавантаження")},
    };
    const char* text = words.value(by);
    return text ? QCoreApplication::translate("FleetWindow", text)
                : escapeControls(by); // talvikctl's commands keep their names
}

QString resultWords(const JournalEntry& e)
{
    if (!e.result)
        return e.resultText.isEmpty() ? QCoreApplication::translate("FleetWindow", "(без результату)")
                                      : escapeControls(e.resultText);
    BoardResult r;
    r.board = e.board;
    r.outcome = e.result->outcome;
    r.reason = e.result->reason;
    r.notWritten = e.result->notWritten;
    r.sent = true; // a journaled write was sent
    if (r.outcome == Outcome::Cancelled)
        return QCoreApplication::translate("FleetWindow", "записано, скасовано до перевірки");
    if (r.outcome == Outcome::Mismatch)
        return QCoreApplication::translate("FleetWindow", "записано, але плата має інше");
    return writeState(r);
}

namespace {
// A file as a message names it: the whole path, in guillemets, nothing raw.
QString fileName(const QString& path)
{
    return QStringLiteral("«%1»").arg(escapeControls(path.left(4096)));
}

// A backup's key as the table titles its field ("mask": "Маска").
QString keyTitle(const QString& key)
{
    return columnOf(key) >= 0 ? fieldTitles({key})
                              : QStringLiteral("«%1»").arg(escapeControls(key.left(100)));
}
} // namespace

QString fileProblemText(const FileProblem& p)
{
    const QString file = fileName(p.file);
    switch (p.kind) {
    case FileProblem::Missing:
        return QCoreApplication::translate("FleetWindow", "Файлу %1 немає.").arg(file);
    case FileProblem::NotRegular:
        return QCoreApplication::translate("FleetWindow", "%1 — не звичайний файл (тека, канал чи пристрій).")
            .arg(file);
    case FileProblem::TooLarge:
        return QCoreApplication::translate("FleetWindow", "Файл %1 завеликий: %2, а можна не більше %3.")
            .arg(file, byteCount(p.size), byteCount(p.most));
    case FileProblem::Unreadable:
        break;
    }
    return QCoreApplication::translate("FleetWindow", "Файл %1 не вдалося прочитати (%2).")
        .arg(file, escapeControls(p.systemError));
}

QString backupErrorText(const BackupError& e)
{
    const QString file = fileName(e.file);
    const QString value = QStringLiteral("«%1»").arg(escapeControls(e.value.left(100)));
    switch (e.kind) {
    case BackupError::File:
        return fileProblemText(e.fileProblem);
    case BackupError::NotKeyValue:
        return QCoreApplication::translate("FleetWindow", "Копія %1, рядок %2: не «ключ=значення»: %3.")
            .arg(file)
            .arg(e.line)
            .arg(value);
    case BackupError::GivenTwice:
        return QCoreApplication::translate("FleetWindow",
                                           "Копія %1, рядок %2: %3 вдруге (уперше в рядку %4).")
            .arg(file)
            .arg(e.line)
            .arg(keyTitle(e.key))
            .arg(e.firstLine);
    case BackupError::MissingKey:
        return QCoreApplication::translate("FleetWindow", "У копії %1 немає рядка «%2=».")
            .arg(file, escapeControls(e.key));
    case BackupError::BadValue:
        return QCoreApplication::translate("FleetWindow", "Копія %1, рядок %2: %3 %4 — неправильне значення.")
            .arg(file)
            .arg(e.line)
            .arg(keyTitle(e.key), value);
    case BackupError::UnknownKey:
        return QCoreApplication::translate("FleetWindow", "Копія %1, рядок %2: невідомий ключ %3.")
            .arg(file)
            .arg(e.line)
            .arg(QStringLiteral("«%1»").arg(escapeControls(e.key.left(100))));
    case BackupError::DhcpWithStaticConsole:
        return QCoreApplication::translate(
                   "FleetWindow", "Копія %1: DHCP зі статичним пультом, а конфігуратор такого не записує.")
            .arg(file);
    case BackupError::NamedForAnother:
        break;
    }
    return QCoreApplication::translate("FleetWindow", "Копія %1 названа за платою %2, а містить адресу %3.")
        .arg(file, dottedText(e.namedFor), dottedText(e.holds));
}

namespace {
QString addresses(const QList<BoardAddress>& boards)
{
    QStringList names;
    for (BoardAddress b : boards)
        names.append(dottedText(b));
    return names.join(QStringLiteral(", "));
}
} // namespace

QString countsText(const OutcomeCounts& s, JobKind kind)
{
    const bool read = kind == JobKind::Read, reboot = kind == JobKind::Reboot;
    const QList<QPair<int, QString>> parts{
        {s.done, read     ? QCoreApplication::translate("FleetWindow", "копій збережено: %1")
                 : reboot ? QCoreApplication::translate("FleetWindow", "перезавантажено: %1")
                          : QCoreApplication::translate("FleetWindow", "записано й перевірено: %1")},
        {s.awaitingReboot,
         QCoreApplication::translate("FleetWindow", "записано, діятиме після перезавантаження: %1")},
        {s.unverified, QCoreApplication::translate("FleetWindow", "записано без перевірки: %1")},
        {s.mismatch, QCoreApplication::translate("FleetWindow", "записано, але плата має інше: %1")},
        {s.failed, QCoreApplication::translate("FleetWindow", "невдало: %1")},
        {s.refused, QCoreApplication::translate("FleetWindow", "відмовлено: %1")},
        {s.notTried, QCoreApplication::translate("FleetWindow", "не пробувано: %1")},
        {s.cancelled, QCoreApplication::translate("FleetWindow", "скасовано: %1")},
        {s.unchanged, QCoreApplication::translate("FleetWindow", "без змін: %1")},
    };
    QStringList counts;
    for (const auto& [n, text] : parts)
        if (n > 0)
            counts.append(text.arg(n));
    return counts.join(QStringLiteral(", "));
}

QString summaryText(const JobSummary& s)
{
    const bool reboot = s.kind == JobKind::Reboot;
    QStringList out;
    if (s.stoppedBy != Reason::Cancelled) // the counts say what was cancelled
        out.append(stoppedText(s));
    out.append(QCoreApplication::translate("FleetWindow", "Підсумок: %1.").arg(countsText(s, s.kind)));
    if (!s.journalProblem.isEmpty())
        out.append(
            QCoreApplication::translate("FleetWindow", "Цієї роботи немає в журналі: він не записується."));
    if (!s.leftUnverified.isEmpty())
        out.append((reboot ? QCoreApplication::translate(
                                 "FleetWindow",
                                 "Зупинено одразу: перезавантаження надіслано, але не дочекалися: %1.")
                           : QCoreApplication::translate(
                                 "FleetWindow", "Зупинено одразу: записано, але не прочитано назад: %1."))
                       .arg(addresses(s.leftUnverified)));
    out.removeAll(QString());
    return out.join(u' ');
}

QString forcedText(const BoardResult& r)
{
    const WriteFields planned = r.config ? r.config->fields : WriteFields{};
    QStringList out;
    for (const Refusal& refusal : r.refusals) {
        switch (refusal.kind) {
        case Reason::NotCarried: {
            // What the board will hold: the frame carries zeros in those bytes.
            WriteFields carried = planned;
            carried.dispatcher = carried.reserve1 = carried.reserve2 = Ipv4{};
            carried.ident = 0;
            const auto now = fieldTexts({r.board, planned, std::nullopt, Memory::Unknown});
            const auto then = fieldTexts({r.board, carried, std::nullopt, Memory::Unknown});
            QStringList values; // "ідентифікатор 1234 стане 0"
            for (int i = 0; i < now.size(); ++i)
                if (refusal.fields.contains(now[i].first))
                    values.append(QCoreApplication::translate("FleetWindow", "%1 %2 стане %3")
                                      .arg(fieldTitles({now[i].first}), now[i].second, then[i].second));
            out.append(
                (values.size() == 1
                     ? QCoreApplication::translate(
                           "FleetWindow", "%1 після перезавантаження: кадр зі статичним пультом його не несе")
                     : QCoreApplication::translate(
                           "FleetWindow", "%1 після перезавантаження: кадр зі статичним пультом їх не несе"))
                    .arg(values.join(QStringLiteral("; "))));
            break;
        }
        case Reason::Unreachable:
            out.append(QCoreApplication::translate("FleetWindow", "плата може стати недосяжною: %1")
                           .arg(ipProblemsText(planned, r.board)));
            break;
        case Reason::NotPermanentMemory:
            out.append(QCoreApplication::translate(
                "FleetWindow", "буде записано копію робочої конфігурації, а не постійної пам'яті"));
            break;
        case Reason::ChangedSince:
            out.append(QCoreApplication::translate(
                           "FleetWindow", "буде скасовано й те, що змінили на платі після цього запису: %1")
                           .arg(fieldTitles(refusal.fields)));
            break;
        case Reason::OldBoardAnswers:
            out.append(
                QCoreApplication::translate(
                    "FleetWindow", "на адресі %1 ще відповідає стара плата: дві плати матимуть одну адресу")
                    .arg(dottedText(planned.ip)));
            break;
        case Reason::WrittenSince:
            out.append(QCoreApplication::translate("FleetWindow",
                                                   "буде скасовано й те, що записала пізніша робота %1")
                           .arg(refusal.other));
            break;
        default:
            break;
        }
    }
    return out.join(QStringLiteral("; "));
}

namespace {
// A refusal as the journal keeps it: its kind alone, without the values it concerned.
QString refusalKindText(Reason kind)
{
    switch (kind) {
    case Reason::NotCarried:
        return QCoreApplication::translate("FleetWindow", "зі статичним пультом кадр не несе деяких полів");
    case Reason::Unreachable:
        return QCoreApplication::translate("FleetWindow", "плата стала б недосяжною");
    case Reason::OldBoardAnswers:
        return QCoreApplication::translate("FleetWindow", "на адресі з копії ще відповідала плата");
    case Reason::WrittenSince:
        return QCoreApplication::translate("FleetWindow", "плату записала пізніша робота");
    default:
        break;
    }
    return refusalText(Refusal{kind, {}, {}, {}, {}}, {}, {});
}

JobKind kindOf(const JobRecord& job)
{
    return job.what == QLatin1String("reboot") ? JobKind::Reboot : JobKind::Write;
}
} // namespace

QString jobWhat(const JobRecord& j)
{
    if (j.what == QLatin1String("change") && j.change) {
        QStringList fields;
        for (const auto& [name, text] : fieldTexts(*j.change))
            fields.append(fieldTitles({name}) + u' ' + text);
        return QCoreApplication::translate("FleetWindow", "зміна полів: %1")
            .arg(fields.join(QStringLiteral(", ")));
    }
    if (j.what == QLatin1String("apply"))
        return QCoreApplication::translate("FleetWindow", "запис копій");
    if (j.what == QLatin1String("replace"))
        return QCoreApplication::translate("FleetWindow", "заміна плати");
    if (j.what == QLatin1String("undo"))
        return j.undoes.isEmpty()
                   ? QCoreApplication::translate("FleetWindow", "повернення запису")
                   : QCoreApplication::translate("FleetWindow", "повернення роботи %1").arg(j.undoes);
    if (j.what == QLatin1String("reboot"))
        return QCoreApplication::translate("FleetWindow", "перезавантаження");
    if (j.what == QLatin1String("write"))
        return QCoreApplication::translate("FleetWindow", "запис конфігуратора");
    return escapeControls(j.what); // a later version's
}

QString jobOutcome(const JobRecord& j)
{
    QStringList out;
    if (const QString counts = countsText(j.counts, kindOf(j)); !counts.isEmpty())
        out.append(counts);
    if (!j.ended)
        out.append(QCoreApplication::translate("FleetWindow", "не завершена: не дійшла до плат: %1")
                       .arg(qMax(0, int(j.boards.size()) - j.reached)));
    else if (j.stoppedBy == Reason::FailureLimit)
        out.append(QCoreApplication::translate("FleetWindow", "зупинена після невдач"));
    return out.join(QStringLiteral("; "));
}

QString jobBoardOutcome(const RollOutBoard& b, const JobRecord& job)
{
    if (b.sentWithoutResult)
        return QCoreApplication::translate("FleetWindow", "надіслано, результату немає (програму зупинено)");
    if (!b.last)
        return QCoreApplication::translate("FleetWindow", "робота до неї не дійшла");
    BoardResult r;
    r.board = b.board;
    r.outcome = b.last->outcome;
    r.reason = b.last->reason;
    r.notWritten = b.last->notWritten;
    r.sent = b.firstWrite.has_value();
    if (b.last->takenAtReboot)
        r.takenAtReboot = QStringList{QString()};
    if (kindOf(job) == JobKind::Reboot)
        return rebootState(r);
    if (r.outcome == Outcome::Mismatch)
        return QCoreApplication::translate("FleetWindow", "записано, але плата має інше");
    if (r.outcome == Outcome::Refused)
        return QCoreApplication::translate("FleetWindow", "не записано: %1").arg(refusalKindText(r.reason));
    return writeState(r);
}

QStringList forcedLines(const QList<BoardResult>& planned)
{
    QStringList lines;
    for (const BoardResult& r : planned)
        if (r.outcome == Outcome::Refused && std::all_of(r.refusals.begin(), r.refusals.end(),
                                                         [](const Refusal& x) { return x.mayBeForced(); }))
            lines.append(dottedText(r.board) + QStringLiteral(": ") + forcedText(r));
    return lines;
}

QString stoppedText(const JobSummary& s)
{
    switch (s.stoppedBy) {
    case Reason::FailureLimit:
        return QCoreApplication::translate("FleetWindow", "Зупинено: невдало на %1 з %2; решту не пробувано "
                                                          "(%3). «Повторити невдалі» спробує знову.")
            .arg(s.failuresAtStop)
            .arg(s.triedAtStop)
            .arg(s.notTried);
    case Reason::JournalFailed:
        return QCoreApplication::translate(
                   "FleetWindow", "Зупинено: журнал записів не записується; решту не пробувано (%1).")
            .arg(s.notTried);
    case Reason::Cancelled:
        return QCoreApplication::translate("FleetWindow", "Скасовано; не зроблено: %1.")
            .arg(s.cancelled + s.notTried);
    default:
        break;
    }
    return {};
}

QString comparisonText(qint64 added, qint64 missing, qint64 changed)
{
    const auto count = [](qint64 n) { return int(qMin<qint64>(n, INT_MAX)); };
    return QCoreApplication::translate("FleetWindow", "%1, %2, %3", "new, missing, changed boards")
        .arg(QCoreApplication::translate("FleetWindow", "%n нових", nullptr, count(added)),
             QCoreApplication::translate("FleetWindow", "%n зниклих", nullptr, count(missing)),
             QCoreApplication::translate("FleetWindow", "%n змінених", nullptr, count(changed)));
}

QString boardsProblemText(const BoardsProblem& problem)
{
    switch (problem.kind) {
    case BoardsProblem::NotAnAddress:
        return QCoreApplication::translate("FleetWindow", "%1: не адреса і не діапазон адрес")
            .arg(quoted(problem.text, 31));
    case BoardsProblem::NotABoard:
        if (problem.use == AddressUse::NetworkOrBroadcast)
            return QCoreApplication::translate(
                       "FleetWindow", "%1: не адреса плати, а адреса самої мережі %2 чи її широкомовна")
                .arg(dottedText(problem.address), networkText(problem.address, problem.prefix));
        return QCoreApplication::translate(
                   "FleetWindow",
                   "%1: не адреса плати (0.0.0.0, 255.255.255.255 і групові адреси не підходять)")
            .arg(dottedText(problem.address));
    case BoardsProblem::TooMany:
        break;
    }
    return QCoreApplication::translate("FleetWindow", "Забагато адрес: не більше %1 за один пошук.")
        .arg(MostBoards);
}

QString sitesProblemText(const QString& file, const SiteEntryProblem& bad)
{
    return QCoreApplication::translate("FleetWindow", "%1, рядок %2, об'єкт «%3»: %4")
        .arg(fileName(file))
        .arg(bad.line)
        .arg(escapeControls(bad.site.left(200)), boardsProblemText(bad.problem));
}

QString journalProblemWords(const JournalProblem& p)
{
    if (p.kind == JournalProblem::Unreadable)
        return QCoreApplication::translate("FleetWindow", "Журнал %1 не прочитано (%2).")
            .arg(fileName(p.file), escapeControls(p.systemError));
    return QCoreApplication::translate("FleetWindow", "У журналі %1 немає роботи %2.")
        .arg(fileName(p.file), escapeControls(p.job.left(100)));
}

} // namespace talvik::fleet
