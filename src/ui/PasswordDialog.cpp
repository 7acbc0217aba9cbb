#include "PasswordDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace ui {

std::optional<QString> askServerPassword(QWidget* parent, const QString& serverName)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QObject::tr("Password"));
    auto* layout = new QFormLayout(&dialog);
    auto* prompt = new QLabel(QObject::tr("%1 needs a password.").arg(serverName.toHtmlEscaped()));
    prompt->setTextFormat(Qt::RichText);
    layout->addRow(prompt);
    auto* word = new QLineEdit;
    word->setObjectName(QStringLiteral("password"));
    word->setEchoMode(QLineEdit::Password);
    word->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\"\\x00-\\x1f\\x7f]*")), word));
    auto* label = new QLabel(QObject::tr("&Password:"));
    label->setBuddy(word);
    layout->addRow(label, word);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addRow(buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    QObject::connect(word, &QLineEdit::textChanged, ok,
                     [ok](const QString& text) { ok->setEnabled(!text.isEmpty()); });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return word->text();
}

} // namespace ui
