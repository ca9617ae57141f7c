// Every picture compiled into the program, as XPM data; the windows look them up
// by name through namedimage.h. Made by images/make_images.py, do not edit.
#ifndef TOVENDAL_IMAGES_IMAGES_H
#define TOVENDAL_IMAGES_IMAGES_H

/// SplashVertReduced.png, 120 x 230 pixels.
extern const char* const SplashVertReduced_png_xpm[];
/// Splash.png, 452 x 191 pixels.
extern const char* const Splash_png_xpm[];
/// TOVENDAL.ICO, 32 x 32 pixels.
extern const char* const TOVENDAL_ICO_xpm[];
/// bb_nofill_default.png, 152 x 19 pixels.
extern const char* const bb_nofill_default_png_xpm[];
/// bb_nofill_hilight.png, 152 x 19 pixels.
extern const char* const bb_nofill_hilight_png_xpm[];
/// bb_nofill_select.png, 152 x 19 pixels.
extern const char* const bb_nofill_select_png_xpm[];
/// bg_aqua_default.png, 19 x 19 pixels.
extern const char* const bg_aqua_default_png_xpm[];
/// bg_aqua_hilight.png, 19 x 19 pixels.
extern const char* const bg_aqua_hilight_png_xpm[];
/// bg_aqua_select.png, 19 x 19 pixels.
extern const char* const bg_aqua_select_png_xpm[];
/// bg_black_default.png, 19 x 19 pixels.
extern const char* const bg_black_default_png_xpm[];
/// bg_black_hilight.png, 19 x 19 pixels.
extern const char* const bg_black_hilight_png_xpm[];
/// bg_black_select.png, 19 x 19 pixels.
extern const char* const bg_black_select_png_xpm[];
/// bg_blue_default.png, 19 x 19 pixels.
extern const char* const bg_blue_default_png_xpm[];
/// bg_blue_hilight.png, 19 x 19 pixels.
extern const char* const bg_blue_hilight_png_xpm[];
/// bg_blue_select.png, 19 x 19 pixels.
extern const char* const bg_blue_select_png_xpm[];
/// bg_dkgrey_default.png, 19 x 19 pixels.
extern const char* const bg_dkgrey_default_png_xpm[];
/// bg_dkgrey_hilight.png, 19 x 19 pixels.
extern const char* const bg_dkgrey_hilight_png_xpm[];
/// bg_dkgrey_select.png, 19 x 19 pixels.
extern const char* const bg_dkgrey_select_png_xpm[];
/// bg_fuchsia_default.png, 19 x 19 pixels.
extern const char* const bg_fuchsia_default_png_xpm[];
/// bg_fuchsia_hilight.png, 19 x 19 pixels.
extern const char* const bg_fuchsia_hilight_png_xpm[];
/// bg_fuchsia_select.png, 19 x 19 pixels.
extern const char* const bg_fuchsia_select_png_xpm[];
/// bg_grean_select.png, 19 x 19 pixels.
extern const char* const bg_grean_select_png_xpm[];
/// bg_green_default.png, 19 x 19 pixels.
extern const char* const bg_green_default_png_xpm[];
/// bg_green_hilight.png, 19 x 19 pixels.
extern const char* const bg_green_hilight_png_xpm[];
/// bg_lime_default.png, 19 x 19 pixels.
extern const char* const bg_lime_default_png_xpm[];
/// bg_lime_hilight.png, 19 x 19 pixels.
extern const char* const bg_lime_hilight_png_xpm[];
/// bg_lime_select.png, 19 x 19 pixels.
extern const char* const bg_lime_select_png_xpm[];
/// bg_ltgrey_default.png, 19 x 19 pixels.
extern const char* const bg_ltgrey_default_png_xpm[];
/// bg_ltgrey_hilight.png, 19 x 19 pixels.
extern const char* const bg_ltgrey_hilight_png_xpm[];
/// bg_ltgrey_select.png, 19 x 19 pixels.
extern const char* const bg_ltgrey_select_png_xpm[];
/// bg_maroon_default.png, 19 x 19 pixels.
extern const char* const bg_maroon_default_png_xpm[];
/// bg_maroon_hilight.png, 19 x 19 pixels.
extern const char* const bg_maroon_hilight_png_xpm[];
/// bg_maroon_select.png, 19 x 19 pixels.
extern const char* const bg_maroon_select_png_xpm[];
/// bg_navy_default.png, 19 x 19 pixels.
extern const char* const bg_navy_default_png_xpm[];
/// bg_navy_hilight.png, 19 x 19 pixels.
extern const char* const bg_navy_hilight_png_xpm[];
/// bg_navy_select.png, 19 x 19 pixels.
extern const char* const bg_navy_select_png_xpm[];
/// bg_olive_default.png, 19 x 19 pixels.
extern const char* const bg_olive_default_png_xpm[];
/// bg_olive_hilight.png, 19 x 19 pixels.
extern const char* const bg_olive_hilight_png_xpm[];
/// bg_olive_select.png, 19 x 19 pixels.
extern const char* const bg_olive_select_png_xpm[];
/// bg_purple_default.png, 19 x 19 pixels.
extern const char* const bg_purple_default_png_xpm[];
/// bg_purple_hilight.png, 19 x 19 pixels.
extern const char* const bg_purple_hilight_png_xpm[];
/// bg_purple_select.png, 19 x 19 pixels.
extern const char* const bg_purple_select_png_xpm[];
/// bg_red_default.png, 19 x 19 pixels.
extern const char* const bg_red_default_png_xpm[];
/// bg_red_hilight.png, 19 x 19 pixels.
extern const char* const bg_red_hilight_png_xpm[];
/// bg_red_select.png, 19 x 19 pixels.
extern const char* const bg_red_select_png_xpm[];
/// bg_teal_default.png, 19 x 19 pixels.
extern const char* const bg_teal_default_png_xpm[];
/// bg_teal_hilight.png, 19 x 19 pixels.
extern const char* const bg_teal_hilight_png_xpm[];
/// bg_teal_select.png, 19 x 19 pixels.
extern const char* const bg_teal_select_png_xpm[];
/// bg_white_default.png, 19 x 19 pixels.
extern const char* const bg_white_default_png_xpm[];
/// bg_white_hilight.png, 19 x 19 pixels.
extern const char* const bg_white_hilight_png_xpm[];
/// bg_white_select.png, 19 x 19 pixels.
extern const char* const bg_white_select_png_xpm[];
/// bg_yellow_default.png, 19 x 19 pixels.
extern const char* const bg_yellow_default_png_xpm[];
/// bg_yellow_hilight.png, 19 x 19 pixels.
extern const char* const bg_yellow_hilight_png_xpm[];
/// bg_yellow_select.png, 19 x 19 pixels.
extern const char* const bg_yellow_select_png_xpm[];
/// copy.xpm, 16 x 15 pixels.
extern const char* const copy_xpm[];
/// cut.xpm, 16 x 15 pixels.
extern const char* const cut_xpm[];
/// delete.xpm, 16 x 15 pixels.
extern const char* const delete_xpm[];
/// fileopen.xpm, 16 x 15 pixels.
extern const char* const fileopen_xpm[];
/// filesave.xpm, 16 x 15 pixels.
extern const char* const filesave_xpm[];
/// filesaveas.xpm, 16 x 15 pixels.
extern const char* const filesaveas_xpm[];
/// help.xpm, 16 x 15 pixels.
extern const char* const help_xpm[];
/// new.xpm, 16 x 15 pixels.
extern const char* const new_xpm[];
/// paste.xpm, 16 x 15 pixels.
extern const char* const paste_xpm[];
/// preview.xpm, 16 x 15 pixels.
extern const char* const preview_xpm[];
/// print.xpm, 16 x 15 pixels.
extern const char* const print_xpm[];
/// print_options_16.xpm, 16 x 16 pixels.
extern const char* const print_options_16_xpm[];
/// program_settings.xpm, 16 x 16 pixels.
extern const char* const program_settings_xpm[];
/// quit.xpm, 16 x 15 pixels.
extern const char* const quit_xpm[];
/// stock_calc-accept-16.png, 16 x 16 pixels.
extern const char* const stock_calc_accept_16_png_xpm[];
/// stock_calc-cancel-16.png, 16 x 16 pixels.
extern const char* const stock_calc_cancel_16_png_xpm[];
/// stock_close-16.png, 16 x 16 pixels.
extern const char* const stock_close_16_png_xpm[];
/// stock_data-delete-table-16.xpm, 16 x 16 pixels.
extern const char* const stock_data_delete_table_16_xpm[];
/// stock_data-edit-table-16.xpm, 16 x 16 pixels.
extern const char* const stock_data_edit_table_16_xpm[];
/// stock_data-new-table-16.xpm, 16 x 16 pixels.
extern const char* const stock_data_new_table_16_xpm[];
/// stock_delete-16.png, 16 x 16 pixels.
extern const char* const stock_delete_16_png_xpm[];
/// stock_text_color_background-16.png, 16 x 16 pixels.
extern const char* const stock_text_color_background_16_png_xpm[];
/// stock_text_color_foreground-16.png, 16 x 16 pixels.
extern const char* const stock_text_color_foreground_16_png_xpm[];

#endif // TOVENDAL_IMAGES_IMAGES_H
