#include "platform/qt/form_view.h"
#include "platform/qt/qt_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "loader/formini.h"
#include "shell/principal.h"
#include "support/scripted_host.h"
#include "support/tool_support.h"

namespace vz {
namespace {

class FormViewTest : public testing::Test {
  protected:
    FormViewTest() {
        form.create("");
        form.setVisible(true);
    }
    template <class W>
    W* widget(const std::string& name) {
        auto* found = qobject_cast<W*>(view.widgetFor(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal form{host, system};
    FormView view{form, host, [this] { form.MinimizaralTray1Click(); }};
};

TEST_F(FormViewTest, ClientSizeAndBoundsFollowTheInventory) {
    EXPECT_EQ(view.size(), QSize(448, 475));
    EXPECT_EQ(view.minimumSize(), view.maximumSize());
    EXPECT_EQ(widget<QWidget>("suiGroupBox4")->geometry(), QRect(8, 156, 433, 113));
    EXPECT_EQ(widget<QWidget>("Iniciar")->geometry(), QRect(368, 424, 73, 25));
    EXPECT_EQ(widget<QWidget>("editiso")->width(), 286);
    EXPECT_EQ(widget<QWidget>("suiStatusBar1")->geometry(), QRect(0, 456, 448, 19));
    EXPECT_FALSE(view.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(FormViewTest, AClickOnAWidgetReachesTheModelAndRunsTheHandler) {
    int clicks = 0;
    form.ApagaWindows.onClick = [&] { ++clicks; };
    widget<QCheckBox>("ApagaWindows")->click();
    EXPECT_TRUE(form.ApagaWindows.checked());
    EXPECT_EQ(clicks, 1);

    int modeClicks = 0;
    form.mdes.onClick = [&] { ++modeClicks; };
    widget<QRadioButton>("mdes")->click();
    EXPECT_TRUE(form.mdes.checked());
    EXPECT_FALSE(form.mcom.checked());
    EXPECT_FALSE(widget<QRadioButton>("mcom")->isChecked());
    widget<QRadioButton>("mdes")->click();
    EXPECT_EQ(modeClicks, 1);
    EXPECT_TRUE(widget<QRadioButton>("mdes")->isChecked());
}

TEST_F(FormViewTest, AModelChangeReachesTheWidget) {
    form.Label1.setCaption("Entrada (Archivo DAX):");
    form.editiso.setText("/tmp/juego.iso");
    form.crealog.setEnabled(false);
    form.addlote.setVisible(true);
    form.pausaresumen.setCaptionColour(CaptionColour::GrayText);
    EXPECT_EQ(widget<QLabel>("Label1")->text(), "Entrada (Archivo DAX):");
    EXPECT_EQ(widget<QLineEdit>("editiso")->text(), "/tmp/juego.iso");
    EXPECT_FALSE(widget<QWidget>("crealog")->isEnabled());
    EXPECT_TRUE(widget<QWidget>("addlote")->isVisibleTo(&view));
    EXPECT_EQ(widget<QWidget>("pausaresumen")->palette().color(QPalette::WindowText),
              QColor(128, 128, 128));
}

TEST_F(FormViewTest, TheListPanelFoldsToItsCaptionBar) {
    auto* panel = widget<QWidget>("PaneLotes");
    EXPECT_EQ(panel->height(), CollapsiblePanel::kCaptionBarHeight);
    form.PaneLotes.setCollapsed(false);
    EXPECT_EQ(panel->height(), 153);
    auto* button = panel->findChild<QToolButton*>("collapseButton");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_TRUE(form.PaneLotes.collapsed());
}

TEST_F(FormViewTest, TheGridShowsTheModelsRows) {
    auto* grid = widget<QTableView>("suiStringGrid1");
    form.suiStringGrid1.setRowCount(3);
    form.suiStringGrid1.setCell(1, 2, "salida.dax");
    QCoreApplication::processEvents();
    ASSERT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->index(2, 1).data().toString(), "salida.dax");
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    grid->selectRow(2);
    EXPECT_EQ(form.suiStringGrid1.row(), 2);
}

TEST_F(FormViewTest, TypedLettersNeverReachTheLevelOrFrameBox) {
    auto* frame = widget<QLineEdit>("editframe");
    frame->setFocus();
    frame->setCursorPosition(4);
    QTest::keyClicks(frame, "ab-");
    QTest::keyClick(frame, Qt::Key_Backspace);
    EXPECT_EQ(form.editframe.text(), "8192");
    EXPECT_EQ(frame->text(), "8192");
    frame->setCursorPosition(0);
    QTest::keyClick(frame, Qt::Key_Delete);
    EXPECT_EQ(form.editframe.text(), "192") << "Delete is no typed character";
    frame->selectAll();
    QTest::keyClicks(frame, "4");
    EXPECT_EQ(form.editframe.text(), "4") << "a digit types over the selection";

    auto* level = widget<QComboBox>("suiComboBox1");
    level->lineEdit()->setFocus();
    level->lineEdit()->selectAll();
    QTest::keyClicks(level->lineEdit(), "x");
    EXPECT_EQ(form.suiComboBox1.text(), "0");
    QTest::keyClicks(level->lineEdit(), "7");
    EXPECT_EQ(form.suiComboBox1.text(), "7");
    QTest::keyClicks(level->lineEdit(), "8");
    EXPECT_EQ(form.suiComboBox1.text(), "7") << "one character at most";
}

TEST_F(FormViewTest, AnEmptiedFrameBoxShowsZeroWhenLeft) {
    auto* frame = widget<QLineEdit>("editframe");
    view.show();
    QApplication::setActiveWindow(&view);
    frame->setFocus();
    frame->selectAll();
    QTest::keyClick(frame, Qt::Key_Delete);
    EXPECT_EQ(form.editframe.text(), "");
    widget<QLineEdit>("editiso")->setFocus();
    EXPECT_EQ(form.editframe.text(), "0");
    EXPECT_EQ(frame->text(), "0");
}

TEST_F(FormViewTest, MenuBarHoldsTheMenusAndTheTrayButton) {
    QStringList titles;
    for (QAction* action : view.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&Archivo", "&Herramientas", "&Configuracion", "A&yuda"}));
    auto* trayButton = view.menuBar()->findChild<QToolButton*>("trayButton");
    ASSERT_NE(trayButton, nullptr);
    EXPECT_EQ(trayButton->toolTip(), "Minimize to System Tray");
    trayButton->click();
    EXPECT_TRUE(form.FormTrayIcon1.visible());
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(view.isVisible());
}

TEST_F(FormViewTest, HiddenMenuItemsAreNotShownAndMarksFollowTheModel) {
    QMenu* archivo = view.menuBar()->actions().at(0)->menu();
    ASSERT_NE(archivo, nullptr);
    EXPECT_FALSE(archivo->actions().at(0)->isVisible());  // Asistente1
    QMenu* configuracion = view.menuBar()->actions().at(2)->menu();
    QAction* asociado = configuracion->actions().at(3);
    EXPECT_EQ(asociado->text(), "&Asociado a *.ISO, *.DAX y *.CSO");
    form.Menucontextual1.setChecked(true);
    EXPECT_TRUE(asociado->isChecked());
    asociado->trigger();  // the handler removes the associations and clears the mark
    EXPECT_FALSE(form.Menucontextual1.checked());
    EXPECT_FALSE(asociado->isChecked());
    EXPECT_EQ(system.desktopRegistrations.back(), "unregister");
}

TEST(FormIniView, BuildsItsRowsAndSwallowsTypedCharacters) {
    test::ScriptedHost host;
    test::FakeSystem system;
    TPrincipal principal(host, system);
    Tformini formini(principal.editini);
    FormView view(formini, host);
    EXPECT_EQ(view.size(), QSize(274, 374));
    auto* mode = qobject_cast<QComboBox*>(view.widgetFor("combomode"));
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->count(), 13);
    EXPECT_EQ(mode->currentText(), "Direct Load");
    QTest::keyClicks(mode->lineEdit(), "abc");
    EXPECT_EQ(formini.combomode.text(), "Direct Load");
    auto* off = qobject_cast<QRadioButton*>(view.widgetFor("radiobootOFF"));
    ASSERT_NE(off, nullptr);
    EXPECT_TRUE(off->isChecked());
    qobject_cast<QRadioButton*>(view.widgetFor("radiobootON"))->click();
    EXPECT_FALSE(off->isChecked());
    EXPECT_TRUE(formini.radiotablesOFF.checked());
}

TEST_F(FormViewTest, TheFramesCloseButtonRunsFormCloseAndTheSaveErrorKeepsItOpen) {
    view.show();
    form.editframe.setText("");
    EXPECT_FALSE(view.close()) << "an emptied frame field stops the close";
    EXPECT_EQ(host.errors.size(), 1u);
    EXPECT_FALSE(form.closed());
    form.editframe.setText("8192");
    EXPECT_TRUE(view.close());
    EXPECT_TRUE(form.closed());
    EXPECT_TRUE(std::filesystem::exists(form.settingsPath()));
}

TEST(QtHostModal, TheConfigurationWindowWritesOnOkAndCanBeShownAgain) {
    test::TempDir dir;
    QtHost host;
    test::FakeSystem system;
    TPrincipal principal(host, system);
    Tformini formini(principal.editini);
    principal.editini.setText((dir / "juego.ini").string());
    for (int showing = 0; showing < 2; ++showing) {
        QTimer::singleShot(0, [&] {
            auto* ok = qobject_cast<QPushButton*>(
                QApplication::activeModalWidget()->findChild<QWidget*>("botonini"));
            ASSERT_NE(ok, nullptr);
            ok->click();
        });
        host.showModal(formini);
        EXPECT_FALSE(formini.visible());
        EXPECT_TRUE(std::filesystem::exists(dir / "juego.ini")) << showing;
        std::filesystem::remove(dir / "juego.ini");
    }
}

}  // namespace
}  // namespace vz
