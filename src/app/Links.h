#pragma once

namespace wigglet::links {

// Deployment addresses, on a reserved documentation domain until the project has a home.
inline constexpr const char* website = "https://wigglet.example.org/";
inline constexpr const char* faq = "https://wigglet.example.org/faq";
inline constexpr const char* feedback = "https://wigglet.example.org/feedback";
inline constexpr const char* review = "https://wigglet.example.org/review";
inline constexpr const char* makerSite = "https://example.org/";
inline constexpr const char* releases = "https://wigglet.example.org/releases";
inline constexpr const char* supportEmail = "support@wigglet.example.org";

} // namespace wigglet::links
