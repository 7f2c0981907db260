#include "ScriptedDialogs.h"

#include <QTest>

namespace {

const char *kindName(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::Message: return "message";
    case ScriptedDialogs::Kind::Question: return "question";
    case ScriptedDialogs::Kind::Input: return "input";
    case ScriptedDialogs::Kind::Choice: return "choice";
    case ScriptedDialogs::Kind::SaveFile: return "save dialog";
    }
    return "?";
}

} // namespace

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::install(nullptr);
    if (!m_script.isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("%1 scripted dialog(s) never appeared")
                                    .arg(m_script.size())),
                     __FILE__, __LINE__);
}

ScriptedDialogs &ScriptedDialogs::expectMessage()
{
    m_script.append({Kind::Message, false, {}, -1, std::exchange(m_nextAction, {})});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectQuestion(bool yes)
{
    m_script.append({Kind::Question, yes, {}, -1, std::exchange(m_nextAction, {})});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectInput(const QString &answer)
{
    m_script.append({Kind::Input, false, answer, -1, std::exchange(m_nextAction, {})});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectChoice(int index)
{
    m_script.append({Kind::Choice, false, {}, index, std::exchange(m_nextAction, {})});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::expectSaveFile(const QString &path, const QString &filter)
{
    m_script.append({Kind::SaveFile, false, path, -1, std::exchange(m_nextAction, {}), filter});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::whenShown(std::function<void()> action)
{
    m_nextAction = std::move(action);
    return *this;
}

ScriptedDialogs::Answer ScriptedDialogs::take(Kind kind, const Call &call)
{
    m_calls.append(call);
    if (m_script.isEmpty() || m_script.first().kind != kind) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected %1 \"%2\" titled \"%3\"")
                                    .arg(QLatin1String(kindName(kind)), call.text, call.title)),
                     __FILE__, __LINE__);
        return Answer{kind, false, {}, -1, {}};
    }
    Answer a = m_script.takeFirst();
    if (a.action)
        a.action();
    return a;
}

void ScriptedDialogs::message(const QString &text, const QString &title)
{
    take(Kind::Message, {Kind::Message, text, title, {}});
}

bool ScriptedDialogs::question(const QString &text, const QString &title)
{
    return take(Kind::Question, {Kind::Question, text, title, {}}).yes;
}

bool ScriptedDialogs::questionDefaultNo(const QString &text, const QString &title)
{
    return take(Kind::Question, {Kind::Question, text, title, {}, {}, true}).yes;
}

QString ScriptedDialogs::input(const QString &prompt, const QString &title,
                               const QString &defaultText)
{
    return take(Kind::Input, {Kind::Input, prompt, title, defaultText}).text;
}

int ScriptedDialogs::choice(const QString &prompt, const QString &title, const QStringList &items)
{
    Call call{Kind::Choice, prompt, title, {}};
    call.items = items;
    const int index = take(Kind::Choice, call).index;
    if (index >= int(items.size()))
        QTest::qFail("the scripted choice is not one of the items", __FILE__, __LINE__);
    return index < int(items.size()) ? index : -1;
}

QString ScriptedDialogs::saveFile(const QString &title, const QString &suggestedPath,
                                  const QStringList &filters, QString *filter)
{
    const Answer a = take(Kind::SaveFile, {Kind::SaveFile, suggestedPath, title, {}, filters});
    if (filter && !a.text.isEmpty())
        *filter = a.filter.isEmpty() ? (filter->isEmpty() ? filters.value(0) : *filter) : a.filter;
    return a.text;
}

char *toString(const ScriptedDialogs::Call &call)
{
    return QTest::toString(QStringLiteral("%1 \"%2\" titled \"%3\"")
                               .arg(QLatin1String(kindName(call.kind)), call.text, call.title));
}
