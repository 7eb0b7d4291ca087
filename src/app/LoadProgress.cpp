#include "LoadProgress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBarSteps = 1000;

QString megabytes(double bytes) { return QString::number(bytes / 1e6, 'f', 1); }

}  // namespace

LoadProgress::LoadProgress(QWidget* parent, const QString& path, int intervalMs, int showAfterMs)
    : m_box(new QDialog(parent)),
      m_label(new QLabel),
      m_bar(new QProgressBar),
      m_cancel(new QPushButton(QObject::tr("Cancel"))),
      m_total(QFileInfo(path).size()),
      m_intervalMs(intervalMs),
      m_showAfterMs(showAfterMs) {
    m_box->setObjectName("LoadProgress");
    m_box->setWindowTitle(QObject::tr("Opening %1").arg(QFileInfo(path).fileName()));
    m_box->setWindowModality(Qt::WindowModal);
    m_bar->setRange(0, kBarSteps);
    auto* layout = new QVBoxLayout(m_box);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    QObject::connect(m_cancel, &QPushButton::clicked, m_box, [this] { m_cancelled = true; });
    // Closing the box is cancelling too.
    QObject::connect(m_box, &QDialog::rejected, m_box, [this] { m_cancelled = true; });
    m_sinceStart.start();
    m_sinceUpdate.start();
    orbxmps::setReadProgress(this);
}

LoadProgress::~LoadProgress() {
    orbxmps::setReadProgress(nullptr);
    delete m_box;
}

bool LoadProgress::proceed() {
    if (m_sinceUpdate.elapsed() >= m_intervalMs) {
        m_sinceUpdate.restart();
        update();
    }
    return !m_cancelled;
}

void LoadProgress::update() {
    if (!m_box->isVisible() && m_sinceStart.elapsed() >= m_showAfterMs) m_box->show();
    const double done = static_cast<double>(bytesRead());
    QString text = m_total > 0
                       ? QObject::tr("%1 of %2 MB read").arg(megabytes(done), megabytes(m_total))
                       : QObject::tr("%1 MB read").arg(megabytes(done));
    if (!section().empty())
        text = QObject::tr("Reading %1: %2").arg(QString::fromStdString(section()), text);
    m_label->setText(text);
    m_bar->setValue(m_total > 0 ? static_cast<int>(kBarSteps * std::min(1.0, done / m_total)) : 0);
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
}
