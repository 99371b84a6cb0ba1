#include "platform/automation/AutomationError.h"

namespace automation {

using namespace Qt::StringLiterals;

AutomationError::AutomationError(qint32 number, QString source, QString description, QString detail)
    : m_number(number)
    , m_source(std::move(source))
    , m_description(std::move(description))
    , m_detail(std::move(detail))
    , m_what((QString::number(m_number) + u": "_s + m_description).toUtf8())
{
}

AutomationError AutomationError::overflow(const QString &source)
{
    return {Overflow, source, u"ｵｰﾊﾞｰﾌﾛｰしました。"_s};
}

AutomationError AutomationError::permissionDenied(const QString &source)
{
    return {PermissionDenied, source, u"書き込みできません。"_s};
}

AutomationError AutomationError::objectNotSet(const QString &source)
{
    return {ObjectNotSet, source, u"ｵﾌﾞｼﾞｪｸﾄ変数または With ﾌﾞﾛｯｸ変数が設定されていません。"_s};
}

AutomationError AutomationError::noAutomationSupport(const QString &source)
{
    return {NoAutomationSupport, source, u"ｸﾗｽはｵｰﾄﾒｰｼｮﾝをｻﾎﾟｰﾄしていません。"_s};
}

AutomationError AutomationError::memberNotFound(const QString &source, const QString &member)
{
    return {MemberNotFound, source,
            u"ｵﾌﾞｼﾞｪｸﾄは、このﾌﾟﾛﾊﾟﾃｨまたはﾒｿｯﾄﾞをｻﾎﾟｰﾄしていません。 ("_s + member + u')',
            u"the element has no member "_s + member};
}

AutomationError AutomationError::serverUnavailable(const QString &source, const QString &detail)
{
    return {ServerUnavailable, source, u"ﾘﾓｰﾄ ｻｰﾊﾞｰ ﾏｼﾝが存在しないか、利用できる状態ではありません。"_s, detail};
}

AutomationError AutomationError::automationFailure(const QString &source, const QString &detail)
{
    return {AutomationFailure, source, u"ｵｰﾄﾒｰｼｮﾝ ｴﾗｰです。 "_s + detail, detail};
}

AutomationError AutomationError::noAnswer(const QString &source, const QString &detail)
{
    AutomationError error = automationFailure(source, detail);
    error.m_unanswered = true;
    return error;
}

} // namespace automation
