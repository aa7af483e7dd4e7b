#include "ui/CustomBracketDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kivp::ui {

CustomBracketDialog::CustomBracketDialog(const CustomBracket& current, QWidget* parent) : QDialog(parent) {
    setObjectName("CustomBracketDialog");
    setWindowTitle("Custom Bracket");
    const CustomBracket field = sensibleCustomBracket(current);

    m_teams = new QSpinBox(this);
    m_teams->setObjectName("CustomTeamsBox");
    m_teams->setRange(kCustomFewestTeams, kCustomMostTeams);
    m_teams->setValue(field.teams);
    auto* teamsCaption = new QLabel("&Teams:", this);
    teamsCaption->setBuddy(m_teams);

    m_oneHalf = new QRadioButton("&One half: a single bracket", this);
    m_oneHalf->setObjectName("OneHalfButton");
    m_twoHalves = new QRadioButton("T&wo halves that meet in the championship", this);
    m_twoHalves->setObjectName("TwoHalvesButton");
    (field.halves == 1 ? m_oneHalf : m_twoHalves)->setChecked(true);
    auto* note =
        new QLabel("The top-ranked teams get a bye where a round has fewer teams than places.", this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(teamsCaption, m_teams);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_oneHalf);
    layout->addWidget(m_twoHalves);
    layout->addWidget(note);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_teams->setFocus();
}

CustomBracket CustomBracketDialog::field() const {
    return sensibleCustomBracket({m_teams->value(), m_oneHalf->isChecked() ? 1 : 2});
}

std::optional<CustomBracket> CustomBracketDialog::ask(const CustomBracket& current, QWidget* parent) {
    CustomBracketDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.field();
}

} // namespace kivp::ui
