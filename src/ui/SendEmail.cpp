#include "ui/SendEmail.h"

#include "app/Links.h"
#include "platform/Platform.h"
#include "platform/Workspace.h"
#include "ui/InfosList.h"

namespace wigglet {

void SendEmail::compose() {
    Platform::current().workspace().composeMail(links::addresses().supportEmail,
                                                "[Wigglet] v" + InfosList::version(), "");
}

} // namespace wigglet
