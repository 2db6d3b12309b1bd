#include "platform/fltk/atk_module_client.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <iostream>
#include <string_view>

#include "platform/atk_module/description_layout.h"

namespace fltk {

namespace {

// The module stands beside the program in the build tree and in the unpacked download, and in
// the library folder when the program is installed (at the same place relative to the program
// wherever it is installed): the architecture's when a package installed it, a folder of its own
// under a prefix's lib when the portable download's install.sh did. The program's own folder
// comes first: an unpacked download takes its own module, whatever else is installed.
std::string module_path() {
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0) return {};
    const std::string_view path(program, static_cast<std::size_t>(length));
    const std::string folder(path.substr(0, path.rfind('/') + 1));
    for (const std::string& candidate :
         {folder + VARNEL_MODULE, folder + VARNEL_MODULE_FOLDER + "/" + VARNEL_MODULE,
          folder + "../lib/varnel/" + VARNEL_MODULE}) {
        if (access(candidate.c_str(), R_OK) == 0) return candidate;
    }
    return {};
}

// The module's functions, if it can be loaded and speaks this program's interface.
const varnel_a11y_functions* module_functions() {
    const std::string path = module_path();
    if (path.empty()) {
        std::cerr << "varnel: accessibility: " << VARNEL_MODULE << " is missing\n";
        return nullptr;
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry = library != nullptr
                           ? reinterpret_cast<varnel_a11y_entry>(dlsym(library, VARNEL_A11Y_ENTRY))
                           : nullptr;
    if (entry == nullptr) {
        std::cerr << "varnel: accessibility: " << dlerror() << '\n';
        return nullptr;
    }
    const varnel_a11y_functions* functions = entry();
    if (functions == nullptr || functions->version != VARNEL_A11Y_VERSION) {
        std::cerr << "varnel: accessibility: " << path << " is of another version\n";
        return nullptr;
    }
    return functions;
}

}  // namespace

std::optional<AtkModuleClient> AtkModuleClient::load(const varnel_a11y_host& host,
                                                     const Application& application) {
    // Looked up once: a module that could not be loaded will not load later either.
    static const varnel_a11y_functions* const functions = module_functions();
    if (functions == nullptr) return std::nullopt;
    return make(*functions, host, application);
}

std::optional<AtkModuleClient> AtkModuleClient::make(const varnel_a11y_functions& functions,
                                                     const varnel_a11y_host& host,
                                                     const Application& application) {
    varnel_a11y_module* module = functions.create(&host, atk_module::text_of(application.name),
                                                  atk_module::text_of(application.toolkit),
                                                  atk_module::text_of(application.toolkit_version));
    if (module == nullptr) return std::nullopt;
    return AtkModuleClient(functions, module);
}

bool AtkModuleClient::export_to_bridge(const std::string& bus_address) {
    return functions_->export_to_bridge(module_.get(), bus_address.c_str()) != 0;
}

void AtkModuleClient::withdraw_from_bridge() { functions_->withdraw_from_bridge(module_.get()); }

void AtkModuleClient::window(const forms::AccessibleWindow& now,
                             const std::vector<forms::AccessibleEvent>& events) {
    const atk_module::WindowLayout layout(now);
    const std::vector<varnel_a11y_event> laid = atk_module::layout_events(events);
    functions_->window(module_.get(), &layout.get(), laid.data(), laid.size());
}

void AtkModuleClient::unloaded(forms::ObjectId window,
                               const std::vector<forms::AccessibleEvent>& events) {
    const std::vector<varnel_a11y_event> laid = atk_module::layout_events(events);
    functions_->unloaded(module_.get(), atk_module::id_of(window), laid.data(), laid.size());
}

void AtkModuleClient::message_box(const std::optional<forms::AccessibleAlert>& box) {
    if (!box) return functions_->message_box(module_.get(), nullptr);
    const varnel_a11y_alert alert = atk_module::layout_alert(*box);
    functions_->message_box(module_.get(), &alert);
}

void AtkModuleClient::focus(const varnel_a11y_focus& focus) {
    functions_->focus(module_.get(), &focus);
}

AtkModuleClient::Wait AtkModuleClient::dispatch() {
    Wait wait;
    int32_t timeout_ms = -1;
    wait.fds.resize(functions_->dispatch(module_.get(), &timeout_ms));
    functions_->wait_fds(module_.get(), wait.fds.data(), wait.fds.size());
    wait.timeout_ms = timeout_ms;
    return wait;
}

}  // namespace fltk
