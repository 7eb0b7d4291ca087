#include "SearchBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "AppStrings.h"

namespace {

// A prompt string holds the status-bar text, a line break, and the tooltip.
void applyPrompt(QWidget* widget, const QString& prompt) {
    const qsizetype lineBreak = prompt.indexOf('\n');
    widget->setStatusTip(prompt.left(lineBreak));
    widget->setToolTip(lineBreak < 0 ? prompt : prompt.mid(lineBreak + 1));
}

}  // namespace

SearchBar::SearchBar(QWidget* parent)
    : QToolBar(tr("Search Bar"), parent),
      m_search(new QPushButton(tr("Search"))),
      m_text(new QLineEdit),
      m_viewSubmatrix(new QCheckBox(tr("View Submatrix"))) {
    setObjectName("SearchBar");
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    applyPrompt(m_search, appstrings::text(appstrings::kSearchPrompt));
    applyPrompt(m_text, appstrings::text(appstrings::kSearchTextPrompt));
    m_text->setMinimumWidth(160);
    m_search->setDefault(true);
    auto* content = new QWidget;
    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_search);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_viewSubmatrix);
    addWidget(content);
}
