#pragma once

// Property keys of the tracker's events, super properties and profile
// updates. Keys beginning with "$" are the collection server's preset keys.
namespace volen {
namespace beacon {
namespace keys {

inline constexpr char kAppCrashedReason[] = "app_crashed_reason";
inline constexpr char kVlAname[] = "vl_aname";
inline constexpr char kVlAppId[] = "vl_app_id";
inline constexpr char kVlAppPlatform[] = "vl_app_platform";
inline constexpr char kVlAppStore[] = "vl_app_store";
inline constexpr char kVlBannerIndex[] = "vl_banner_index";
inline constexpr char kVlBannerName[] = "vl_banner_name";
inline constexpr char kVlBps[] = "vl_bps";
inline constexpr char kVlCampaignCode[] = "vl_campaign_code";
inline constexpr char kVlCashierName[] = "vl_cashier_name";
inline constexpr char kVlCashierTitle[] = "vl_cashier_title";
inline constexpr char kVlChannel[] = "vl_channel";
inline constexpr char kVlClickType[] = "vl_click_type";
inline constexpr char kVlConsumption[] = "vl_consumption";
inline constexpr char kVlCurOriginalAmount[] = "vl_cur_original_amount";
inline constexpr char kVlCurPaidAmount[] = "vl_cur_paid_amount";
inline constexpr char kVlCurrency[] = "vl_currency";
inline constexpr char kVlDepth[] = "vl_depth";
inline constexpr char kVlDlappId[] = "vl_dlapp_id";
inline constexpr char kVlDlappVersion[] = "vl_dlapp_version";
inline constexpr char kVlDuration[] = "vl_duration";
inline constexpr char kVlEdition[] = "vl_edition";
inline constexpr char kVlElapsed[] = "vl_elapsed";
inline constexpr char kVlExt[] = "vl_ext";
inline constexpr char kVlFirstPaidDate[] = "vl_first_paid_date";
inline constexpr char kVlFirstVisitDate[] = "vl_first_visit_date";
inline constexpr char kVlFps[] = "vl_fps";
inline constexpr char kVlHeight[] = "vl_height";
inline constexpr char kVlIapType[] = "vl_iap_type";
inline constexpr char kVlIo[] = "vl_io";
inline constexpr char kVlL10nCountry[] = "vl_l10n_country";
inline constexpr char kVlL10nLanguage[] = "vl_l10n_language";
inline constexpr char kVlL10nLocale[] = "vl_l10n_locale";
inline constexpr char kVlLastAppId[] = "vl_last_app_id";
inline constexpr char kVlLastAppVersion[] = "vl_last_app_version";
inline constexpr char kVlLastPaidDate[] = "vl_last_paid_date";
inline constexpr char kVlLastVisitDate[] = "vl_last_visit_date";
inline constexpr char kVlLoginId[] = "vl_login_id";
inline constexpr char kVlModule[] = "vl_module";
inline constexpr char kVlName[] = "vl_name";
inline constexpr char kVlOrderId[] = "vl_order_id";
inline constexpr char kVlOriginalAmount[] = "vl_original_amount";
inline constexpr char kVlOs[] = "vl_os";
inline constexpr char kVlOsVersion[] = "vl_os_version";
inline constexpr char kVlPaidAmount[] = "vl_paid_amount";
inline constexpr char kVlPaidCount[] = "vl_paid_count";
inline constexpr char kVlPaidPlatform[] = "vl_paid_platform";
inline constexpr char kVlPosition[] = "vl_position";
inline constexpr char kVlReason[] = "vl_reason";
inline constexpr char kVlResult[] = "vl_result";
inline constexpr char kVlSdk[] = "vl_sdk";
inline constexpr char kVlSdkVersion[] = "vl_sdk_version";
inline constexpr char kVlSharedName[] = "vl_shared_name";
inline constexpr char kVlSize[] = "vl_size";
inline constexpr char kVlSku[] = "vl_sku";
inline constexpr char kVlSubitem[] = "vl_subitem";
inline constexpr char kVlSuitId[] = "vl_suit_id";
inline constexpr char kVlTabIndex[] = "vl_tab_index";
inline constexpr char kVlTabName[] = "vl_tab_name";
inline constexpr char kVlTaskElapsed[] = "vl_task_elapsed";
inline constexpr char kVlTaskName[] = "vl_task_name";
inline constexpr char kVlTaskResult[] = "vl_task_result";
inline constexpr char kVlTitle[] = "vl_title";
inline constexpr char kVlTrackType[] = "vl_track_type";
inline constexpr char kVlType[] = "vl_type";
inline constexpr char kVlUninstallReason[] = "vl_uninstall_reason";
inline constexpr char kVlUpdateOp[] = "vl_update_op";
inline constexpr char kVlUpdateResult[] = "vl_update_result";
inline constexpr char kVlUsedVoucherId[] = "vl_used_voucher_id";
inline constexpr char kVlUserId[] = "vl_user_id";
inline constexpr char kVlVoucherId[] = "vl_voucher_id";
inline constexpr char kVlWidth[] = "vl_width";
inline constexpr char kPresetAppId[] = "$app_id";
inline constexpr char kPresetAppVersion[] = "$app_version";
inline constexpr char kPresetFirstVisitTime[] = "$first_visit_time";
inline constexpr char kPresetIsFirstTime[] = "$is_first_time";
inline constexpr char kPresetIosInstallSource[] = "$ios_install_source";
inline constexpr char kPresetOs[] = "$os";
inline constexpr char kPresetOsVersion[] = "$os_version";
inline constexpr char kPresetScreenHeight[] = "$screen_height";
inline constexpr char kPresetScreenWidth[] = "$screen_width";
inline constexpr char kPresetSfAudienceId[] = "$sf_audience_id";
inline constexpr char kPresetSfLinkUrl[] = "$sf_link_url";
inline constexpr char kPresetSfMsgContent[] = "$sf_msg_content";
inline constexpr char kPresetSfMsgTitle[] = "$sf_msg_title";
inline constexpr char kPresetSfPlanId[] = "$sf_plan_id";
inline constexpr char kPresetSfPlanStrategyId[] = "$sf_plan_strategy_id";
inline constexpr char kPresetSfPlanType[] = "$sf_plan_type";
inline constexpr char kPresetSfStrategyUnitId[] = "$sf_strategy_unit_id";
inline constexpr char kPresetUserAgent[] = "$user_agent";

}  // namespace keys
}  // namespace beacon
}  // namespace volen
