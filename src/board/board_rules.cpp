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

QList<Refusal> Decision::blocking(bool force) const
{
    QList<Refusal> out;
    for (const Refusal& r : refusals)
        if (!force || !r.mayBeForced())
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
    if (!plan.writtenSince.isEmpty())
        refusals.append({Reason::WrittenSince, {}, {}, {}, plan.writtenSince});
    if (const QList<Difference> since = differencesAfterWrite(plan.undoneFrame, now); !since.isEmpty()) {
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
    d.fields = planned(now, plan, d.refusals);
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

} // namespace talvik
