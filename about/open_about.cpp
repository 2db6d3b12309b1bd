// The main window's About button shows the About window, modeless.
#include "about/about.h"
#include "app/form_varnel.h"
#include "app/program.h"
#include "platform/forms/window_ref.h"

namespace varnel {

void Form_Varnel::Command1_Click() { program_.About.Show(); }

}  // namespace varnel
