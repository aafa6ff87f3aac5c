#include "board/board_rules.h"

#include "wire/board_address.h"

namespace talvik {

bool FieldChange::empty() const
{
    return !ip && !mask && !router && !dispatcher && !reserve1 && !reserve2 && !mac && !ident && !branch &&
           !consoleDynamic && !dhcp;
}

QList<QPair<QString, QString>> fieldTexts(const FieldChange& c)
{
    const QList<bool> given{bool(c.ip),       bool(c.mask),           bool(c.router),     bool(c.mac),
                            bool(c.dhcp),     bool(c.consoleDynamic), bool(c.dispatcher), bool(c.ident),
                            bool(c.reserve1), bool(c.reserve2),       bool(c.branch)};
    WriteFields f{};
    const auto set = [](auto& field, const auto& value) {
        if (value)
            field = *value;
    };
    set(f.ip, c.ip);
    set(f.mask, c.mask);
    set(f.gateway, c.router);
    set(f.mac, c.mac);
    set(f.boardDhcp, c.dhcp);
    set(f.consoleDynamic, c.consoleDynamic);
    set(f.dispatcher, c.dispatcher);
    set(f.ident, c.ident);
    set(f.reserve1, c.reserve1);
    set(f.reserve2, c.reserve2);
    set(f.branch, c.branch);
    QList<QPair<QString, QString>> out;
    const auto all = fieldTexts(BoardConfig{{}, f, std::nullopt, Memory::Unknown});
    for (int i = 0; i < all.size(); ++i)
        if (given.value(i))
            out.append(all[i]);
    return out;
}

WriteFields withChange(WriteFields f, const FieldChange& change)
{
    const auto set = [](auto& field, const auto& value) {
        if (value)
            field = *value;
    };
    set(f.ip, change.ip);
    set(f.mask, change.mask);
    set(f.gateway, change.router);
    set(f.dispatcher, change.dispatcher);
    set(f.reserve1, change.reserve1);
    set(f.reserve2, change.reserve2);
    set(f.mac, change.mac);
    set(f.ident, change.ident);
    set(f.branch, change.branch);
    set(f.boardDhcp, change.dhcp);
    set(f.consoleDynamic, change.consoleDynamic);
    if (change.dhcp.value_or(false))
        f.consoleDynamic = true;
    if (!change.consoleDynamic.value_or(true))
        f.boardDhcp = false;
    return f;
}

namespace {
// The fields the change sets that a write frame carries only with a dynamic console, when
// `after` has a static one: those values would not reach the board.
QStringList consoleOnlyGiven(const WriteFields& after, const FieldChange& change)
{
    QStringList given;
    if (after.consoleDynamic)
        return given;
    if (change.dispatcher)
        given.append(QStringLiteral("dispatcher"));
    if (change.ident)
        given.append(QStringLiteral("ident"));
    if (change.reserve1)
        given.append(QStringLiteral("reserve1"));
    if (change.reserve2)
        given.append(QStringLiteral("reserve2"));
    return given;
}
} // namespace

QList<IpProblem> ipProblems(const WriteFields& f, BoardAddress board)
{
    if (f.boardDhcp)
        return {};
    QList<IpProblem> out;
    const quint32 ip = addressOf(f.ip), mask = addressOf(f.mask);
    if (ip == 0)
        out.append(IpProblem::Zero);
    else if (ip == 0xFFFFFFFFu)
        out.append(IpProblem::Broadcast);
    else if (ip >= 0xE0000000u)
        out.append(IpProblem::Multicast);
    else if (isLoopback(ip) && !isLoopback(board))
        out.append(IpProblem::Loopback);
    const quint32 host = ~mask;
    if ((host & (host + 1)) != 0) // the one bits of a mask run from the top without a gap
        out.append(IpProblem::MaskNotContiguous);
    else if (out.isEmpty() && host != 0 && (ip & host) == 0)
        out.append(IpProblem::NetworkOfMask);
    else if (out.isEmpty() && host != 0 && (ip & host) == host)
        out.append(IpProblem::BroadcastOfMask);
    return out;
}

QStringList notCarried(const WriteFields& fields)
{
    const auto meant = fieldTexts({{}, fields, std::nullopt, Memory::Unknown});
    const auto carried =
        fieldTexts({{}, readConfiguration(buildWriteFrame(fields)), std::nullopt, Memory::Unknown});
    QStringList out;
    for (int i = 0; i < meant.size(); ++i)
        if (meant[i].second != carried[i].second)
            out.append(meant[i].first);
    return out;
}

WritePlan WritePlan::ofChange(const FieldChange& change, const std::optional<BoardConfig>& base)
{
    WritePlan p;
    p.kind = Change;
    p.change = change;
    p.source = base;
    return p;
}

WritePlan WritePlan::ofBackup(const BoardConfig& backup)
{
    WritePlan p;
    p.kind = Backup;
    p.source = backup;
    return p;
}

WritePlan WritePlan::ofReplacement(const BoardConfig& backup, bool takeMac)
{
    WritePlan p;
    p.kind = Replacement;
    p.source = backup;
    p.takeMac = takeMac;
    return p;
}

WritePlan WritePlan::ofUndo(const BoardConfig& before, const QByteArray& undoneFrame)
{
    WritePlan p;
    p.kind = Undo;
    p.source = before;
    p.undoneFrame = undoneFrame;
    return p;
}

bool Refusal::mayBeForced() const
{
    switch (kind) {
    case Reason::NotCarried:
    case Reason::Unreachable:
    case Reason::NotPermanentMemory:
    case Reason::ChangedSince:
    case Reason::OldBoardAnswers:
    case Reason::WrittenSince:
        return true;
    default:
        return false;
    }
}

bool Refusal::guardsOthers() const
{
    return kind == Reason::ChangedSince || kind == Reason::WrittenSince;
}

QList<Refusal> Decision::blocking(bool force, bool overOthers) const
{
    QList<Refusal> out;
    for (const Refusal& r : refusals)
        if (!r.mayBeForced() || !(r.guardsOthers() ? overOthers : force))
            out.append(r);
    return out;
}

QStringList Decision::notWritten() const
{
    for (const Refusal& r : refusals)
        if (r.kind == Reason::NotCarried)
            return r.fields;
    return {};
}

namespace {
// What the plan writes, and what stands against it for its own kind.
WriteFields planned(const BoardConfig& now, const WritePlan& plan, QList<Refusal>& refusals)
{
    switch (plan.kind) {
    case WritePlan::Change: {
        const WriteFields f = withChange(plan.source ? plan.source->fields : now.fields, plan.change);
        if (const QStringList given = consoleOnlyGiven(f, plan.change); !given.isEmpty())
            refusals.append({Reason::ConsoleOnlyFields, given, {}, {}, {}});
        return f;
    }
    case WritePlan::Backup:
        if (plan.source->memory != Memory::Permanent) // the board would boot with a working configuration
            refusals.append({Reason::NotPermanentMemory, {}, {}, {}, {}});
        return plan.source->fields;
    case WritePlan::Replacement: {
        WriteFields f = plan.source->fields;
        if (!plan.takeMac)
            f.mac = now.fields.mac;
        if (plan.source->memory != Memory::Permanent) // the new board would boot with a working configuration
            refusals.append({Reason::NotPermanentMemory, {}, {}, {}, {}});
        if (plan.oldBoardAnswers)
            refusals.append({Reason::OldBoardAnswers, {}, {}, {}, {}});
        return f;
    }
    case WritePlan::Undo:
        break;
    }
    if (const QList<Difference> since = changesSinceWrite(plan.undoneFrame, now); !since.isEmpty()) {
        QStringList fields;
        for (const Difference& d : since)
            fields.append(d.field);
        refusals.append({Reason::ChangedSince, fields, {}, since, {}});
    }
    return plan.source->fields;
}
} // namespace

Decision decide(const BoardConfig& now, const WritePlan& plan)
{
    Decision d;
    if (undoneAlready(now, plan)) { // nothing is written, nothing taken from anyone
        d.fields = now.fields;
        return d;
    }
    d.fields = planned(now, plan, d.refusals);
    if (!plan.writtenSince.isEmpty())
        d.refusals.prepend({Reason::WrittenSince, {}, {}, {}, plan.writtenSince});
    if (!addressTypesAgree(d.fields))
        d.refusals.append(
            {Reason::DhcpWithStaticConsole, {QStringLiteral("dhcp"), QStringLiteral("console")}, {}, {}, {}});
    if (const QStringList lost = notCarried(d.fields); !lost.isEmpty())
        d.refusals.append({Reason::NotCarried, lost, {}, {}, {}});
    if (const QList<IpProblem> problems = ipProblems(d.fields, now.address); !problems.isEmpty())
        d.refusals.append(
            {Reason::Unreachable, {QStringLiteral("ip"), QStringLiteral("mask")}, problems, {}, {}});
    return d;
}

namespace {
// The fields one by one, as the frame carries them.
constexpr int FieldCount = 11;
bool sameField(int i, const WriteFields& a, const WriteFields& b)
{
    switch (i) {
    case 0:
        return a.ip == b.ip;
    case 1:
        return a.mask == b.mask;
    case 2:
        return a.gateway == b.gateway;
    case 3:
        return a.mac == b.mac;
    case 4:
        return a.boardDhcp == b.boardDhcp;
    case 5:
        return a.consoleDynamic == b.consoleDynamic;
    case 6:
        return a.dispatcher == b.dispatcher;
    case 7:
        return a.ident == b.ident;
    case 8:
        return a.reserve1 == b.reserve1;
    case 9:
        return a.reserve2 == b.reserve2;
    default:
        return a.branch == b.branch;
    }
}

void copyField(int i, WriteFields& to, const WriteFields& from)
{
    switch (i) {
    case 0:
        to.ip = from.ip;
        return;
    case 1:
        to.mask = from.mask;
        return;
    case 2:
        to.gateway = from.gateway;
        return;
    case 3:
        to.mac = from.mac;
        return;
    case 4:
        to.boardDhcp = from.boardDhcp;
        return;
    case 5:
        to.consoleDynamic = from.consoleDynamic;
        return;
    case 6:
        to.dispatcher = from.dispatcher;
        return;
    case 7:
        to.ident = from.ident;
        return;
    case 8:
        to.reserve1 = from.reserve1;
        return;
    case 9:
        to.reserve2 = from.reserve2;
        return;
    default:
        to.branch = from.branch;
        return;
    }
}
} // namespace

bool undoneAlready(const BoardConfig& now, const WritePlan& plan)
{
    return plan.kind == WritePlan::Undo && plan.source && plan.source->fields == now.fields;
}

WriteFields undoneFields(const QList<WriteOfJob>& writes)
{
    if (writes.isEmpty())
        return {};
    WriteFields out = writes.last().before;
    for (int field = 0; field < FieldCount; ++field)
        // While the value a write found is the one the job's write before it sent, it is the
        // job's own: the value before that write is the one to put back.
        for (qsizetype k = writes.size() - 1; k > 0 && sameField(field, writes[k].before, writes[k - 1].sent);
             --k)
            copyField(field, out, writes[k - 1].before);
    return out;
}

} // namespace talvik
