// The network module: NetworkHttpSession in a library of its own, loaded by
// HttpSession::makeDefault() only in a process that goes on the network.

#include "update/NetworkHttpSession.h"

extern "C" Q_DECL_EXPORT zol::HttpSession* zolMakeNetworkHttpSession()
{
    return new zol::NetworkHttpSession();
}
