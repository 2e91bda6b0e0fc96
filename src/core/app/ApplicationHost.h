#pragma once

namespace vornela {

// Accessory: no dock entry and no menu bar. Regular: an ordinary application, while onboarding
// is on screen.
enum class ActivationPolicy { regular, accessory };

// The running application as the desktop sees it.
class ApplicationHost {
public:
    virtual ~ApplicationHost() = default;
    virtual void setActivationPolicy(ActivationPolicy policy) = 0;
    // Brings the application to the front, even over other applications.
    virtual void activate() = 0;
    virtual void terminate() = 0;
};

} // namespace vornela
