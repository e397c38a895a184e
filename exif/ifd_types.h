// Kinds of IFD and the cameras whose maker notes the reader knows.
//
// A tag means something only together with the kind of IFD it stands in.
// get_ifd_type() tells the kind from how the walk reached the IFD (the tag of
// the pointer entry, the position in its chain and the camera);
// find_model_code() recognises the camera from its Make and Model texts.
#pragma once
#include <cstdint>

// IFD type codes; exif/format/ifd_formats.h names them.
constexpr int32_t ifd_type_camera = 0;     // IFD0
constexpr int32_t ifd_type_image = 1;      // the EXIF IFD
constexpr int32_t ifd_type_thumbnail = 2;  // IFD1
constexpr int32_t ifd_type_interop = 3;    // the interoperability IFD
constexpr int32_t ifd_type_olympus = 4;    // maker notes from here on ...
constexpr int32_t ifd_type_nikon1 = 5;
constexpr int32_t ifd_type_nikon2 = 6;
constexpr int32_t ifd_type_casio = 7;
constexpr int32_t ifd_type_canon = 8;
constexpr int32_t ifd_type_canon_s100 = 9;
constexpr int32_t ifd_type_canon_d30 = 10;
constexpr int32_t ifd_type_olympus_c2500l = 11;
constexpr int32_t ifd_type_fujifilm = 12;
constexpr int32_t ifd_type_gps = 13;  // the GPS IFD
constexpr int32_t ifd_type_minolta = 14;
constexpr int32_t ifd_type_nikon_d1x = 15;
constexpr int32_t ifd_type_tiff_sub_ifd = 16;  // an IFD of the TIFF sub-IFD list
constexpr int32_t ifd_type_unknown = 17;       // not placed; also unknown tags
// The groups of the maker notes read with -e (exif/maker_notes.h): a note's
// IFD, the IFDs it opens and the records of settings it holds.
constexpr int32_t ifd_type_mn_canon = 18;
constexpr int32_t ifd_type_mn_canon_camera_settings = 19;
constexpr int32_t ifd_type_mn_canon_focal_length = 20;
constexpr int32_t ifd_type_mn_canon_shot_info = 21;
constexpr int32_t ifd_type_mn_canon_panorama = 22;
constexpr int32_t ifd_type_mn_canon_my_colors = 23;
constexpr int32_t ifd_type_mn_canon_face_detect = 24;
constexpr int32_t ifd_type_mn_canon_af_info2 = 25;
constexpr int32_t ifd_type_mn_canon_time_info = 26;
constexpr int32_t ifd_type_mn_canon_file_info = 27;
constexpr int32_t ifd_type_mn_canon_crop_info = 28;
constexpr int32_t ifd_type_mn_canon_aspect_info = 29;
constexpr int32_t ifd_type_mn_canon_processing = 30;
constexpr int32_t ifd_type_mn_canon_sensor_info = 31;
constexpr int32_t ifd_type_mn_canon_color_info = 32;
constexpr int32_t ifd_type_mn_canon_af_micro_adj = 33;
constexpr int32_t ifd_type_mn_canon_lighting_opt = 34;
constexpr int32_t ifd_type_mn_canon_multi_exp = 35;
constexpr int32_t ifd_type_mn_canon_hdr_info = 36;
constexpr int32_t ifd_type_mn_canon_af_config = 37;
constexpr int32_t ifd_type_mn_nikon = 38;
constexpr int32_t ifd_type_mn_nikon_vr_info = 39;
constexpr int32_t ifd_type_mn_nikon_picture_control = 40;
constexpr int32_t ifd_type_mn_nikon_world_time = 41;
constexpr int32_t ifd_type_mn_nikon_iso_info = 42;
constexpr int32_t ifd_type_mn_nikon_hdr_info = 43;
constexpr int32_t ifd_type_mn_nikon_location_info = 44;
constexpr int32_t ifd_type_mn_nikon_af_info = 45;
constexpr int32_t ifd_type_mn_nikon_lens_data00 = 46;
constexpr int32_t ifd_type_mn_nikon_lens_data01 = 47;
constexpr int32_t ifd_type_mn_nikon_flash_info = 48;
constexpr int32_t ifd_type_mn_nikon_multi_exposure = 49;
constexpr int32_t ifd_type_mn_nikon_file_info = 50;
constexpr int32_t ifd_type_mn_nikon_af_tune = 51;
constexpr int32_t ifd_type_mn_nikon_retouch_info = 52;
constexpr int32_t ifd_type_mn_fujifilm = 53;
constexpr int32_t ifd_type_mn_olympus = 54;
constexpr int32_t ifd_type_mn_olympus_equipment = 55;
constexpr int32_t ifd_type_mn_olympus_camera_settings = 56;
constexpr int32_t ifd_type_mn_olympus_raw_development = 57;
constexpr int32_t ifd_type_mn_olympus_image_processing = 58;
constexpr int32_t ifd_type_mn_olympus_focus_info = 59;
constexpr int32_t ifd_type_packet = 60;        // no IFD: the fields chosen from XMP and IPTC (-e)
// More maker groups, after the packet group so that the codes above stay.
constexpr int32_t ifd_type_mn_canon_af_info = 61;
constexpr int32_t ifd_type_mn_canon_color_balance = 62;
constexpr int32_t ifd_type_mn_canon_ps_info = 63;
constexpr int32_t ifd_type_mn_canon_ps_info2 = 64;
constexpr int32_t ifd_type_mn_nikon_flash_info3 = 65;
constexpr int32_t ifd_type_mn_nikon_af_info2 = 66;
constexpr int32_t ifd_type_mn_nikon_face_detect = 67;
constexpr int32_t ifd_type_mn_nikon_flash_info6 = 68;
constexpr int32_t ifd_type_mn_canon_lens_info = 69;
constexpr int32_t ifd_type_mn_canon_measured_color = 70;
constexpr int32_t ifd_type_mn_canon_face_detect2 = 71;
constexpr int32_t ifd_type_mn_canon_face_detect3 = 72;
constexpr int32_t ifd_type_mn_canon_contrast_info = 73;
constexpr int32_t ifd_type_mn_canon_ambience = 74;
constexpr int32_t ifd_type_mn_canon_vignetting_corr2 = 75;
constexpr int32_t ifd_type_mn_canon_preview_info = 76;
constexpr int32_t ifd_type_mn_nikon_distort_info = 77;
// The groups of the maker notes of Sony, Panasonic and Leica, Apple, Samsung,
// and Pentax and Ricoh (read with -e).
constexpr int32_t ifd_type_mn_sony = 78;
constexpr int32_t ifd_type_mn_sony_shot_info = 79;
constexpr int32_t ifd_type_mn_sony_af_points = 80;
constexpr int32_t ifd_type_mn_sony_panorama = 81;
constexpr int32_t ifd_type_mn_sony_ericsson = 82;
constexpr int32_t ifd_type_mn_panasonic = 83;
constexpr int32_t ifd_type_mn_panasonic_face_det = 84;
constexpr int32_t ifd_type_mn_panasonic_face_rec = 85;
constexpr int32_t ifd_type_mn_panasonic_time_info = 86;
constexpr int32_t ifd_type_mn_apple = 87;
constexpr int32_t ifd_type_mn_apple_run_time = 88;
constexpr int32_t ifd_type_mn_samsung = 89;
constexpr int32_t ifd_type_mn_samsung_picture_wizard = 90;
constexpr int32_t ifd_type_mn_pentax = 91;
constexpr int32_t ifd_type_mn_pentax_lens_rec = 92;
constexpr int32_t ifd_type_mn_pentax_sr_info = 93;
constexpr int32_t ifd_type_mn_pentax_face_info = 94;
constexpr int32_t ifd_type_mn_pentax_time_info = 95;
constexpr int32_t ifd_type_mn_pentax_camera_settings = 96;
constexpr int32_t ifd_type_mn_pentax_ae_info = 97;
constexpr int32_t ifd_type_mn_pentax_lens_data = 98;
constexpr int32_t ifd_type_mn_pentax_flash_info = 99;
constexpr int32_t ifd_type_mn_pentax_camera_info = 100;
constexpr int32_t ifd_type_mn_pentax_battery_info = 101;
constexpr int32_t ifd_type_mn_pentax_af_info = 102;
constexpr int32_t ifd_type_mn_pentax_kelvin_wb = 103;
constexpr int32_t ifd_type_mn_pentax_color_info = 104;
constexpr int32_t ifd_type_mn_pentax_ev_step_info = 105;
constexpr int32_t ifd_type_mn_pentax_shot_info = 106;
constexpr int32_t ifd_type_mn_pentax_face_pos = 107;
constexpr int32_t ifd_type_mn_pentax_face_size = 108;
constexpr int32_t ifd_type_mn_pentax_filter_info = 109;
constexpr int32_t ifd_type_mn_pentax_level_info = 110;
constexpr int32_t ifd_type_mn_pentax_wb_levels = 111;
constexpr int32_t ifd_type_mn_pentax_lens_info_q = 112;
constexpr int32_t ifd_type_mn_pentax_pixel_shift = 113;
constexpr int32_t ifd_type_mn_pentax_af_point_info = 114;
constexpr int32_t ifd_type_count = 115;

// Parent "tag" of the main IFD chain (IFD0, IFD1, ...) in the walk; the IFDs
// that other entries lead to have that entry's tag (exif/tags.h) as parent.
constexpr int32_t ifd_parent_main_chain = -1;

struct ifd_type_row {
    int32_t parent_tag;   // tag of the pointer entry; -1 for the main chain
    int32_t chain_seq;    // position of the IFD in its chain, from 0
    uint32_t model_code;  // 0: any camera
    int32_t ifd_type;     // ifd_type_unknown ends the table
};

constexpr int ifd_types_table_rows = 20;
extern const ifd_type_row ifd_types_table[ifd_types_table_rows];

// The IFD type of an IFD reached through parent_tag at position chain_seq of
// its chain, in a file of the given camera: a row for that very camera wins
// over a row for any camera; ifd_type_unknown when neither exists.
int32_t get_ifd_type(int32_t parent_tag, int32_t chain_seq, uint32_t model_code);

// Camera model codes: row n of model_table holds code n.
constexpr uint32_t model_generic = 0;
constexpr uint32_t model_olympus = 1;
constexpr uint32_t model_nikon_e950 = 2;
constexpr uint32_t model_nikon_e990 = 3;
constexpr uint32_t model_casio_qv2000ux = 4;
constexpr uint32_t model_casio_qv8000sx = 5;
constexpr uint32_t model_kodak_dc280 = 6;
constexpr uint32_t model_canon_g1 = 7;
constexpr uint32_t model_canon_s100 = 8;
constexpr uint32_t model_canon_d30 = 9;
constexpr uint32_t model_olympus_c2500l = 10;
constexpr uint32_t model_fujifilm = 11;
constexpr uint32_t model_casio_qv3500ex = 12;
constexpr uint32_t model_minolta = 13;
constexpr uint32_t model_nikon_d1x = 14;
constexpr uint32_t model_table_end = 0xFFFFFFFF;

struct model_row {
    uint32_t model_code;       // model_table_end ends the table
    int32_t has_maker_ifd;     // 1: the maker note is an IFD the walk reads
    uint16_t ifd_offset_fix;   // bytes between the maker note's start and its IFD
    const char *maker_header;  // what such a maker note begins with (not compared)
    const char *make;          // compared with the Make field
    const char *model;         // compared with the Model field
};

constexpr int model_table_rows = 16;
extern const model_row model_table[model_table_rows];

// The model code of a camera, 0 when no row matches. make is nullptr when the
// file has no Make field; then the model text alone decides. Comparisons are
// exact and case-sensitive, nothing trimmed.
uint32_t find_model_code(const char *make, const char *model);
