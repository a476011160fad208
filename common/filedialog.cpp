#include "filedialog.h"

#include "warningbox.h"

#include <QFileDialog>
#include <QFileInfo>

#include <optional>

namespace morvane {

namespace {

struct Answer {
    QString path;
    QString filter;
};
std::optional<Answer> nextAnswer;

}  // namespace

void setNextFileName(const QString &path, const QString &filter) { nextAnswer = Answer{path, filter}; }

QString chooseFileToOpen(QWidget *parent, const QString &title, const QString &folder, const QStringList &filters)
{
    if (nextAnswer)
        return std::exchange(nextAnswer, std::nullopt)->path;
    return QFileDialog::getOpenFileName(parent, title, folder, filters.join(QStringLiteral(";;")));
}

QString chooseFileToSave(QWidget *parent, const QString &title, const QString &suggested, const QStringList &filters,
                         QString *filter)
{
    if (nextAnswer) {
        const Answer answer = *std::exchange(nextAnswer, std::nullopt);
        if (filter)
            *filter = answer.filter.isEmpty() ? filters.value(0) : answer.filter;
        return answer.path;
    }
    return QFileDialog::getSaveFileName(parent, title, suggested, filters.join(QStringLiteral(";;")), filter);
}

bool mayReplace(QWidget *parent, const QString &chosen, const QString &path)
{
    return path == chosen || !QFileInfo::exists(path)
        || askYesNo(parent, QStringLiteral("提示"),
                    QStringLiteral("「%1」已存在。是否替换？").arg(QFileInfo(path).fileName()));
}

}  // namespace morvane
