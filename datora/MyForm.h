#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace datora {

class CommandButton;
class KiroXPComboBox;
class KiroXPSpin;
class LbDate;
class LibraryContext;

// The calendar drop-down: a borderless window showing one month as six weeks of days, Sunday
// first, with a month list and a year field to move to another month. A day clicked there is
// handed back through the library context's picked value and closes the window.
class MyForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCellCount = 42;

    explicit MyForm(LibraryContext& context, QWidget* parent = nullptr);
    ~MyForm() override;

    // The date serial the window opens with.
    qint32 InitValue = 0;

    // Fills the grid with the month (1..12) of the year; a month that does not form a date
    // leaves the cells not yet filled as they were.
    void SetDisplay(qint16 bulan, qint16 tahun);
    void InitMonth();
    // What showing the window does: the month and year of InitValue, the grid, today's key.
    void activate();

    KiroXPComboBox* monthList() const { return m_cboMonth; }
    KiroXPSpin* yearSpin() const { return m_spin; }
    LbDate* cell(int index) const { return m_cells.at(std::size_t(index)); }
    CommandButton* closeButton() const { return m_close; }
    QLabel* todayLabel() const { return m_lbNow; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void followControls();
    void cellPressed(int index);
    void cellClicked(int index);

    LibraryContext& m_context;
    KiroXPComboBox* m_cboMonth;
    KiroXPSpin* m_spin;
    std::array<LbDate*, kCellCount> m_cells{};
    CommandButton* m_close;
    QLabel* m_lbNow;
};

} // namespace datora
