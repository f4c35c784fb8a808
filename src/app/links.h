#pragma once

namespace quorbel::links {

// Fixed addresses of the program: the home page (also opened at every rename
// run), a second page and the author's mail address.
inline constexpr const char* homePage = "https://quorbel.example.org/";
inline constexpr const char* secondPage = "https://quorbel.example.org/faq";
inline constexpr const char* mailAddress = "quorbel@example.org";
inline constexpr const char* mailLink = "Mailto:quorbel@example.org";

} // namespace quorbel::links
