#pragma once

#include "SimEmitter.h"
#include "core/notch/PanelWindowFactory.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vornela::sim {

// Panels that only remember their frame and visibility. The notch panel's frames become
// `panel` lines; the set of screens with a completion panel on screen becomes
// `completionPanels` lines whenever it changes.
class SimPanelFactory : public PanelWindowFactory {
public:
    explicit SimPanelFactory(SimEmitter& out) : out_(out) {}

    std::unique_ptr<PanelWindow> create(const ScreenInfo& screen, Rect frame, PanelLevel level) override;

    // The notch panel created last, if it is still open.
    const PanelWindow* notchPanel() const;
    void panelChanged();

private:
    class Panel;
    friend class Panel;

    SimEmitter& out_;
    std::vector<Panel*> live_;
    std::set<std::string> shownCompletionScreens_;
};

} // namespace vornela::sim
