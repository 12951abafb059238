#pragma once
// Where the "Pomoc" menu points and where the log goes by mail. Placeholders on a reserved
// domain until the school's own addresses are known; each can be set in the environment.
#include <QString>

QString ContactPageUrl();      // VLM_CONTACT_URL
QString MakerSiteUrl();        // VLM_SITE_URL
QString SupportMailAddress();  // VLM_SUPPORT_MAIL
