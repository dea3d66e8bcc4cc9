#pragma once

#include "core/colorings/FractCol.h"
#include "core/formulas/FractAlg.h"
#include "core/files/DesktopFile.h"
#include "core/deep/DeepViewport.h"
#include "core/exchange/LocationFile.h"
#include "core/render/DeepRequest.h"
#include "core/render/RenderRequest.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QUrl;

namespace korvanta {
class Archive;
}

namespace korvanta {

class CFractalWnd;
class IdleDriver;
class MacroEngine;
class RowWorkers;
class UpDown;

// The control window: the parameters of the next picture, the Render command, and the owner
// of every open render window and of one prototype of every formula and coloring.
class CFractalDlg : public QDialog {
    Q_OBJECT

public:
    explicit CFractalDlg(QString openFile = {}, QWidget* parent = nullptr);
    ~CFractalDlg() override;

    // The control with this identifier, or null.
    QWidget* Control(int id) const;
    QLineEdit* Edit(int id) const;
    // Writes an edit's text showing its start: a long number in a narrow field shows its
    // sign and first digits.
    void SetText(int id, const QString& text);

    // Copies between controls and members; with `save` the controls are read and checked.
    // False after the first failed check, which has shown its message.
    bool DoDataExchange(bool save);
    // Whether the deep engine takes these fields (see CheckDeepRenderFields).
    std::optional<std::variant<DeepRenderRequest, FieldProblem>> DeepVerdict(const RenderFields& fields) const;
    // The fields of the next picture as the controls and members hold them now.
    RenderFields Fields() const;

    void OnRender();
    void IdleStep(int count);
    bool AnyPictureRendering() const;

    // Removes a closing window from the list and deletes it once its events are done.
    bool RemoveRenderWindow(CFractalWnd* window);
    // Only removes it from the list: the window deletes itself later.
    bool DetachRenderWindow(CFractalWnd* window);
    const std::vector<CFractalWnd*>& RenderWindows() const { return m_renderWindows; }
    // The image every render window converts its repaints into, one after the other; given
    // back when the last render window goes.
    QImage& PaintScratch() { return m_paintScratch; }

    // Selectors.
    void AddAlg();
    void AddCol();
    void OnSelchangeAlgorithm();
    void OnSelchangeColoring();
    void UpdateControlStates();
    void RefreshSelections();
    const std::vector<std::unique_ptr<CFractAlg>>& Algorithms() const { return m_algorithms; }
    const std::vector<std::unique_ptr<CFractCol>>& Colorings() const { return m_colorings; }

    // Fills the fields of the next picture from one that exists (zoom, properties): the
    // area, the formula and coloring selections, then the iteration limit and C, which come
    // after the selections because refreshing them resets # Colors.
    struct PictureFields {
        Area area;
        std::int32_t formula, coloring;
        std::int32_t limit;
        CFractValue constant;
        // Where doubles cannot hold them: the exact texts, written instead.
        std::optional<DeepArea> exactArea;
        std::optional<PointTexts> exactConstant;
    };
    void FillFromPicture(const PictureFields& fields);
    // Writes C into its two fields.
    void FillConstant(const CFractValue& constant);
    void FillConstant(const PointTexts& constant);

    void OnSelchangeSamples();

    // The desktop file: every render window's record in list order, then the fields, the
    // options, the selections and this window's placement, through one archive.
    void Serialize(Archive& ar);
    // Restores the desktop file (true when it was read whole), or saves it (deletes it with
    // Desktop unchecked); a save is false only when it failed and the user would rather
    // stay than exit without it.
    bool SaveOrRestoreDesktop(bool save);

    // Reads one render window record and opens its window; raises the archive's errors (no
    // window then). The magic's own message is shown here.
    void OpenDocument(Archive& ar);
    void OnLoad();
    // Opens a document named by path, with the command's messages; false when it failed.
    bool OpenDocumentFile(const QString& path);
    void OpenCommandFile();

    // Pictures and places from elsewhere. Each fills the fields without rendering; a bad
    // file or text is refused with a message and changes nothing.
    // Every field from `fields`, and On Top only `withOnTop` (shown, not applied); the Desktop
    // box stays. The selections are set without their handlers: # Colors keeps its text.
    void FillFromFields(RenderFields fields, bool withOnTop = false);
    // The parameters of a PNG that Korvanta wrote.
    bool OpenPictureParameters(const QString& path);
    // A location of the deep-zoom programs, at the size in the fields.
    bool FillFromLocation(const std::variant<Location, std::string>& location);
    void OnImportLocation();
    // The fields' location, for the deep-zoom programs.
    void OnExportLocation();
    // A picture's parameters or a location as text: whether it filled the fields, or nothing
    // when the text means neither (a number, say, to paste into a field).
    std::optional<bool> FillFromText(const QString& text);
    // Ctrl+V: the clipboard's file, parameters or location; false when it holds none.
    bool PasteLocation();
    // What opening the file does by its kind: a document, a macro, a PNG, a location.
    void OpenAnyFile(const QString& path);
    void OnOnTop();
    void OnAbout();
    // The user guide, from the Help button or the Help menu (OpenHelpFile).
    void OnHelp();
    // F1 or a right-click on `widget`: its popup topic when it has one; for a right-click
    // on anything else the macro menu at `global`. True when help was shown.
    bool OnContextHelp(QWidget* widget, QPoint global, bool rightClick);
    // A training-card link of the guide asks for a sample macro.
    void OnTrainingCard(int action);

    // Macros: the three commands of the macro menu, and playing a file.
    void OnStartRecord();
    void OnStopRecord();
    void OnStartPlayback();
    void PlayMacroFile(const QString& path);
    MacroEngine& Macros() const { return *m_macros; }
    // Where the About box's links go; tests replace it.
    std::function<bool(const QUrl&)> m_openUrl;
    void reject() override;  // Exit, Escape and the close box
    void done(int result) override;

    // The members start as the initial fields of the next picture.
    int m_bAspectRatio = RenderFields{}.aspectRatio;
    int m_bShowValues = RenderFields{}.showValues;
    QString m_strWidth = QString::fromStdString(RenderFields{}.width);
    QString m_strHeight = QString::fromStdString(RenderFields{}.height);
    int m_bOnTop = RenderFields{}.onTop;
    int m_bDesktop = 1;
    QString m_strOpenFile;
    bool m_bValidate = true;

signals:
    // A help page asked to play sample macro `action` (1 to 3).
    void trainingCardRequested(int action);

protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateMenuAndClientArea();
    void AddLabel(const char* text, int x, int y, int width);
    void CreateEdits();
    void CreateListsAndSizeFields();
    void CreateChecksAndButtons();
    void UpdateConstantState();
    void UpdateColorsState();
    void OnInitDialog();
    void RefreshMembers();
    void ApplyOnTop();
    void CloseRenderWindows();
    void WatchForHelpRequests(QWidget* widget);
    void CreateMacroEngine();
    void ShowMacroMenu(QPoint global);
    DesktopFields CurrentDesktopFields() const;
    // False, with the system's reason, when the desktop could not be written.
    bool WriteDesktopFile(QString& reason);
    void ApplyDesktopFields(const DesktopFields& fields);
    // Shows the problem and puts the focus on its field; always false.
    bool Fail(const FieldProblem& problem);
    void AddControl(int id, QWidget* control, QRect dialogUnits);

    std::vector<std::unique_ptr<CFractAlg>> m_algorithms;
    std::vector<std::unique_ptr<CFractCol>> m_colorings;
    std::vector<CFractalWnd*> m_renderWindows;
    QImage m_paintScratch;
    IdleDriver* m_idle = nullptr;
    MacroEngine* m_macros = nullptr;
    // Compute rows ahead of the render windows; none when pictures are stepped alone.
    std::unique_ptr<RowWorkers> m_workers;
    QMenuBar* m_menu = nullptr;
    QWidget* m_client = nullptr;
    QComboBox* m_formulaBox = nullptr;
    QComboBox* m_coloringBox = nullptr;
    QComboBox* m_samplesBox = nullptr;
    UpDown* m_upDown = nullptr;
    // Start-up found a desktop file it could not read in full and could keep no copy of.
    bool m_desktopUnread = false;
};

}  // namespace korvanta
