// Where the program's windows are made: the one place that knows every window.
#include "app/program.h"

#include <functional>
#include <string>
#include <utility>

#include "about/about.h"
#include "palette/my_palette.h"
#include "platform/forms/form.h"

namespace varnel {

Program::Program(forms::Backend& backend, std::unique_ptr<forms::RandomSource> random,
                 std::unique_ptr<forms::Clock> clock)
    : runtime(backend, "Varnel", std::move(random), std::move(clock)),
      Form_Varnel(runtime, [this] { return std::make_unique<varnel::Form_Varnel>(*this); }),
      About(runtime, [this] { return std::make_unique<varnel::About>(*this); }),
      myPalette(runtime, [this] { return std::make_unique<varnel::myPalette>(*this); }) {}

void Program::start() {
    runtime.input([this] { Form_Varnel.Show(); });
}

}  // namespace varnel
