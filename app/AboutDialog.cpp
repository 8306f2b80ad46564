#include "app/AboutDialog.h"

#include "platform/DialogTemplate.h"
#include "platform/Environment.h"
#include "res/resource.h"

int AboutDialog::DoModal(wxWindow* pParent) {
    if (!CreateDialogFromTemplate(this, IDD_ABOUTBOX, pParent)) {
        return -1;
    }
    SetIcons(LoadAppIcons());
    CentreOnParent();
    return ShowModal();
}
