// "Copy to Clipboard": the hex code field's text, as plain text.
#include "app/form_varnel.h"
#include "app/program.h"
#include "platform/forms/controls.h"
#include "platform/forms/errors.h"
#include "platform/forms/message_box_style.h"
#include "platform/forms/runtime.h"

namespace varnel {

void Form_Varnel::Command2_Click() {
    try {
        program_.runtime.SetClipboardText(Text4.Text());
    } catch (const forms::RuntimeError&) {
        // Another program kept the clipboard open; the copy is lost, the program is not.
        program_.runtime.MsgBox("The clipboard is in use by another program. Please try again.",
                                forms::Critical, "ERROR");
    }
}

}  // namespace varnel
