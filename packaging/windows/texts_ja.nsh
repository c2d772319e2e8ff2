; The setup's own texts, in Japanese (the pages' standard texts come with
; the Japanese language file).

LangString SectionProgram ${LANG_JAPANESE} "ヒヨコらっぱー本体"
LangString SectionProgramText ${LANG_JAPANESE} "プログラムとスタート メニューのショートカットです。"
LangString SectionSignIn ${LANG_JAPANESE} "サインイン時に起動"
LangString SectionSignInText ${LANG_JAPANESE} "サインインすると呼び出し点が画面の隅に現れます。タスク マネージャーの［スタートアップ］で止められます。"
LangString FinishRun ${LANG_JAPANESE} "ヒヨコらっぱーを起動する"

LangString LauncherRunningQuestion ${LANG_JAPANESE} "ヒヨコらっぱーが動いています。$\n$\n終了して続けますか？ 設定と登録項目は終了の前に保存されます。"
LangString LauncherEnding ${LANG_JAPANESE} "動いているヒヨコらっぱーを終了しています…"
LangString LauncherWouldNotEnd ${LANG_JAPANESE} "ヒヨコらっぱーが終了しません。$\n$\n呼び出し点を右クリックして終了してから［再試行］を押してください。"
LangString RemoveSettingsQuestion ${LANG_JAPANESE} "設定と登録項目も削除しますか？$\n$\n［いいえ］なら残します。もう一度インストールすれば、そのまま使えます。"
