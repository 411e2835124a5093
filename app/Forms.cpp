#include "app/Forms.h"

#include "app/MainFormUnit.h"
#include "data/DataFiles.h"
#include "data/Folders.h"
#include "editor/ProductCatalogue.h"
#include "editor/ProductFormUnit.h"
#include "editor/XMLInfoOrg.h"
#include "modgen/GasFormUnit.h"
#include "ui/DisplayLook.h"
#include "ui/ErrorBoundary.h"
#include "ui/InfoUnit.h"
#include "ui/XMLMessage.h"

TMainForm* MainForm = nullptr;
TMessageForm* MessageForm = nullptr;
TProductForm* ProductForm = nullptr;
TOrgDataForm* OrgDataForm = nullptr;
TGasForm* GasForm = nullptr;
TInfoForm* InfoForm = nullptr;

bool CreateApplicationWindows() {
    if (!CreateMainWindow()) {
        return false;
    }
    CreateDialogWindows();
    return true;
}

bool CreateMainWindow() {
    InstallDisplayLook();
    MainForm = new TMainForm;
    if (MainForm->startupAborted()) {
        delete MainForm;
        MainForm = nullptr;
        return false;
    }
    return true;
}

void CreateDialogWindows() {
    if (MainForm == nullptr || MessageForm != nullptr) {
        return;
    }
    // The dialogs belong to the main window: they are centred over it and go with it.
    MessageForm = new TMessageForm(MainForm);
    ProductForm = new TProductForm(MainForm);
    // The picker's tiles come from the unpacked catalogue, as the main window read it moments ago for the
    // shown ship; read again only when that failed.
    ErrorBoundary::run([] {
        const QString path = AppFolders().DataFolder + DataFile::Products;
        const XmlDocument& shown = MainForm->productCatalogue();
        ProductForm->FormCreate(
            PickerProducts(shown.hasRoot() && shown.path() == path ? shown : XmlDocument::load(path)));
    });
    OrgDataForm = new TOrgDataForm(MainForm);
    GasForm = new TGasForm(MainForm);
    InfoForm = new TInfoForm(MainForm);
}

void DestroyApplicationWindows() {
    delete InfoForm;
    InfoForm = nullptr;
    delete GasForm;
    GasForm = nullptr;
    delete OrgDataForm;
    OrgDataForm = nullptr;
    delete ProductForm;
    ProductForm = nullptr;
    delete MessageForm;
    MessageForm = nullptr;
    delete MainForm;
    MainForm = nullptr;
}
