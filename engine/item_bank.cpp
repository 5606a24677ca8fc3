#include "engine/item_bank.h"

namespace acv {
namespace {

struct Wording {
  std::string_view self;
  std::string_view observer;
};

// Both wordings of every item, indexed by item number; entry 0 is not an item. The comment
// above each entry names the screening group(s) the item counts toward. Curly quotation marks
// are the code page 1252 bytes 0x91 and 0x92; where a hex digit follows one, the literal is
// split so that the digit does not become part of the escape.
constexpr std::array<Wording, kItemSlots> kWordings = {{
    {"", ""},
    // 1: hyperactive-impulsive
    {"I interrupt or intrude on others (e.g. I butt into conversations).",
     "Interrupts or intrudes on others (e.g. butts into conversations)."},
    // 2: obsessive-compulsive
    {"I realise that my repeated thoughts or rituals are excessive or unreasonable.",
     "Realises that their repeated thoughts or rituals are excessive or unreasonable."},
    // 3: inattentive
    {"I fail to pay close attention to details or make careless mistakes (e.g. in my work).",
     "Fails to pay close attention to details or makes careless mistakes (e.g. in their work)."},
    // 4: post-traumatic: re-experiencing
    {"I have recurrent and distressing memories of a traumatic event.",
     "Has recurrent and distressing memories of a traumatic event."},
    // 5: post-traumatic: re-experiencing
    {"I have recurrent distressing dreams about a traumatic event.",
     "Has recurrent distressing dreams about a traumatic event."},
    // 6: inattentive
    {"I have difficulty keeping my attention on tasks or activities.",
     "Has difficulty keeping their attention on tasks or activities."},
    // 7: obsession or compulsion
    {"I have unwanted thoughts, impulses, or images that keep coming back and make me anxious.",
     "Has unwanted thoughts, impulses, or images that keep coming back and make them anxious."},
    // 8: motor tic
    {"I make sudden, repeated movements that I cannot control (e.g. eye blinking, shoulder "
     "shrugging).",
     "Makes sudden, repeated movements that they cannot control (e.g. eye blinking, shoulder "
     "shrugging)."},
    // 9: panic attack
    {"I experience sudden onsets of intense fear or discomfort.",
     "Experiences sudden onsets of intense fear or discomfort."},
    // 10: obsession or compulsion
    {"I feel driven to repeat certain actions over and over (e.g. hand washing, checking, ordering "
     "things).",
     "Feels driven to repeat certain actions over and over (e.g. hand washing, checking, ordering "
     "things)."},
    // 11: vocal tic
    {"I make sudden, repeated sounds that I cannot control (e.g. throat clearing, sniffing, "
     "grunting).",
     "Makes sudden, repeated sounds that they cannot control (e.g. throat clearing, sniffing, "
     "grunting)."},
    // 12: specific phobia: fear
    {"I experience intense fear brought on by the presence or anticipation of a specific object or "
     "situation (e.g. flying, heights, animals, receiving an injection, seeing blood).",
     "Experiences intense fear brought on by the presence or anticipation of a specific object or "
     "situation (e.g. flying, heights, animals, receiving an injection, seeing blood)."},
    // 13: inattentive
    {"I do not seem to listen when spoken to directly.",
     "Does not seem to listen when spoken to directly."},
    // 14: panic symptom
    {"I have a pounding or racing heart during sudden attacks of fear.",
     "Has a pounding or racing heart during sudden attacks of fear."},
    // 15: hyperactive-impulsive
    {"I fidget with my hands or feet or squirm in my seat.",
     "Fidgets with their hands or feet or squirms in their seat."},
    // 16: panic symptom
    {"I sweat heavily during sudden attacks of fear.",
     "Sweats heavily during sudden attacks of fear."},
    // 17: specific phobia
    {"I become anxious straight away when I face a particular thing or situation that I fear.",
     "Becomes anxious straight away when they face a particular thing or situation that they "
     "fear."},
    // 18: receptive language
    {"I have difficulty understanding what other people say to me.",
     "Has difficulty understanding what other people say to them."},
    // 19: phonological
    {"I have difficulty pronouncing certain speech sounds correctly.",
     "Has difficulty pronouncing certain speech sounds correctly."},
    // 20: bulimia
    {"I eat an unusually large amount of food in a short period of time.",
     "Eats an unusually large amount of food in a short period of time."},
    // 21: major depression: mood
    {"I feel unhappy, sad, or empty for most of the day.",
     "Feels unhappy, sad, or empty for most of the day."},
    // 22: written expression
    {"I make many spelling mistakes when I write.",
     "Makes many spelling mistakes when they write."},
    // 23: post-traumatic: re-experiencing
    {"I act or feel as if a traumatic event were happening again (e.g. I have flashbacks).",
     "Acts or feels as if a traumatic event were happening again (e.g. has flashbacks)."},
    // 24: autism: social
    {"I find it hard to use eye contact or facial expressions when I interact with people.",
     "Finds it hard to use eye contact or facial expressions when they interact with people."},
    // 25: reading: core
    {"I have trouble reading.", "Has trouble reading."},
    // 26: expressive language
    {"I have a limited vocabulary when I speak.", "Has a limited vocabulary when they speak."},
    // 27: autism: communication
    {"I repeat what the other person has just said if I don\x92t know what to say.",
     "Repeats what the other person has just said if they don't know what to say."},
    // 28: reading
    {"I read much more slowly than other people.", "Reads much more slowly than other people."},
    // 29: oppositional defiant
    {"I lose my temper.", "Loses their temper."},
    // 30: written expression: core
    {"I have trouble with written work (e.g. writing an essay or note).",
     "Has trouble with written work (e.g. writing an essay or note)."},
    // 31: oppositional defiant
    {"I argue with people in authority (e.g. my manager).",
     "Argues with people in authority (e.g. their manager)."},
    // 32: expressive language
    {"I have difficulty finding the right word when I am talking.",
     "Has difficulty finding the right word when they are talking."},
    // 33: hyperactive-impulsive
    {"I leave my seat in situations where I am expected to stay seated (e.g. meetings).",
     "Leaves their seat in situations where they are expected to stay seated (e.g. meetings)."},
    // 34: major depression
    {"My appetite fluctuates greatly.", "Has great fluctuations in appetite."},
    // 35: anorexia
    {"I have an intense fear about getting fat or overweight.",
     "Has an intense fear about getting fat or overweight."},
    // 36: panic symptom
    {"I tremble or shake during sudden attacks of fear.",
     "Trembles or shakes during sudden attacks of fear."},
    // 37: antisocial
    {"I do things that could get me arrested.", "Does things that could get them arrested."},
    // 38: receptive language
    {"I have trouble following spoken instructions with several steps.",
     "Has trouble following spoken instructions with several steps."},
    // 39: panic symptom
    {"I feel short of breath or smothered during sudden attacks of fear.",
     "Feels short of breath or smothered during sudden attacks of fear."},
    // 40: generalised anxiety
    {"I feel restless, keyed up, or on edge.", "Feels restless, keyed up, or on edge."},
    // 41: conduct
    {"I bully, threaten, or intimidate other people.",
     "Bullies, threatens, or intimidates other people."},
    // 42: expressive language
    {"I use short, simple sentences when I speak.",
     "Uses short, simple sentences when they speak."},
    // 43: post-traumatic: arousal; major depression
    {"I have difficulty sleeping.", "Has difficulty sleeping."},
    // 44: conduct
    {"I start physical fights.", "Starts physical fights."},
    // 45: inattentive
    {"I do not follow through on instructions and fail to finish tasks (e.g. chores or duties at "
     "work).",
     "Does not follow through on instructions and fails to finish tasks (e.g. chores or duties at "
     "work)."},
    // 46: expressive language
    {"I make grammatical errors when I speak (e.g. wrong verb tenses).",
     "Makes grammatical errors when they speak (e.g. wrong verb tenses)."},
    // 47: dysthymia
    {"I feel tired or have little energy.", "Feels tired or has little energy."},
    // 48: major depression
    {"I have lost or gained a noticeable amount of weight without trying.",
     "Has lost or gained a noticeable amount of weight without trying."},
    // 49: mathematics
    {"I make mistakes when doing simple calculations (e.g. adding up a bill).",
     "Makes mistakes when doing simple calculations (e.g. adding up a bill)."},
    // 50: conduct
    {"I use a weapon that can cause serious harm (e.g. a bat, brick, broken bottle, knife, or "
     "gun).",
     "Uses a weapon that can cause serious harm (e.g. a bat, brick, broken bottle, knife, or "
     "gun)."},
    // 51: conduct
    {"I am physically cruel to people.", "Is physically cruel to people."},
    // 52: antisocial
    {"I lie, use false names, or con people for my own profit or pleasure.",
     "Lies, uses false names, or cons people for their own profit or pleasure."},
    // 53: obsession or compulsion
    {"I feel driven to repeat certain mental acts (e.g. counting, praying, repeating words "
     "silently).",
     "Feels driven to repeat certain mental acts (e.g. counting, praying, repeating words "
     "silently)."},
    // 54: generalised anxiety; dysthymia
    {"I have difficulty concentrating or making decisions.",
     "Has difficulty concentrating or making decisions."},
    // 55: panic symptom
    {"I feel as if I am choking during sudden attacks of fear.",
     "Feels as if they are choking during sudden attacks of fear."},
    // 56: phonological
    {"I substitute one speech sound for another when I talk (e.g. a w for an r).",
     "Substitutes one speech sound for another when they talk (e.g. a w for an r)."},
    // 57: conduct
    {"I am physically cruel to animals.", "Is physically cruel to animals."},
    // 58: bulimia
    {"My body shape and weight influences how I feel about myself.",
     "Has a self-esteem that is influenced by their body shape and weight."},
    // 59: reading
    {"I make mistakes when reading aloud (e.g. I skip or swap words).",
     "Makes mistakes when reading aloud (e.g. skips or swaps words)."},
    // 60: autism: restricted
    {"I am preoccupied with one or a few narrow interests to an unusual degree.",
     "Is preoccupied with one or a few narrow interests to an unusual degree."},
    // 61: autism: social
    {"I don\x92t vary my body posture, or use hand gestures, when I am talking to people.",
     "Does not vary their body posture, or use hand gestures, when they are talking to people."},
    // 62: autism: restricted
    {"I become upset if my routines or rituals are changed.",
     "Becomes upset if their routines or rituals are changed."},
    // 63: conduct
    {"I steal from people while confronting them (e.g. mugging, bag snatching, armed robbery).",
     "Steals from people while confronting them (e.g. mugging, bag snatching, armed robbery)."},
    // 64: autism: communication
    {"I find it hard to start or keep up a conversation with other people.",
     "Finds it hard to start or keep up a conversation with other people."},
    // 65: expressive language
    {"I have difficulty explaining my ideas to other people.",
     "Has difficulty explaining their ideas to other people."},
    // 66: hyperactive-impulsive
    {"I am \x91on the go\x92 or act as if I am \x91"
     "driven by a motor\x92.",
     "Is \x91on the go\x92 or acts as if they are \x91"
     "driven by a motor\x92."},
    // 67: antisocial
    {"I fail to plan ahead and act on impulse.", "Fails to plan ahead and acts on impulse."},
    // 68: motor tic
    {"I have sudden jerks of my head, arms, or legs that I do not intend.",
     "Has sudden jerks of their head, arms, or legs that they do not intend."},
    // 69: dysthymia
    {"I have low self-esteem.", "Has low self-esteem."},
    // 70: antisocial
    {"I get into physical fights or assault people.",
     "Gets into physical fights or assaults people."},
    // 71: mathematics
    {"I have difficulty remembering number facts (e.g. multiplication tables).",
     "Has difficulty remembering number facts (e.g. multiplication tables)."},
    // 72: panic symptom
    {"I have chest pain or discomfort during sudden attacks of fear.",
     "Has chest pain or discomfort during sudden attacks of fear."},
    // 73: written expression
    {"I make errors of grammar or punctuation in my writing.",
     "Makes errors of grammar or punctuation in their writing."},
    // 74: bulimia
    {"I feel that I cannot stop eating or control how much I eat during an eating binge.",
     "Feels that they cannot stop eating or control how much they eat during an eating binge."},
    // 75: vocal tic
    {"I suddenly blurt out words or phrases without meaning to.",
     "Suddenly blurts out words or phrases without meaning to."},
    // 76: phonological
    {"I leave out sounds when I say words.", "Leaves out sounds when they say words."},
    // 77: post-traumatic: avoidance
    {"I try to avoid thoughts, feelings, or conversations about a traumatic event.",
     "Tries to avoid thoughts, feelings, or conversations about a traumatic event."},
    // 78: anorexia; bulimia
    {"I try to avoid weight gain by using purging techniques (e.g. self-induced vomiting, "
     "laxatives, diuretics, enemas).",
     "Tries to prevent weight gain by using purging techniques (e.g. self-induced vomiting, "
     "laxatives, diuretics, enemas)."},
    // 79: specific phobia
    {"I know that my fear of a particular thing or situation is excessive or unreasonable.",
     "Knows that their fear of a particular thing or situation is excessive or unreasonable."},
    // 80: obsessive-compulsive
    {"I try to ignore or push away unwanted thoughts that keep coming back.",
     "Tries to ignore or push away unwanted thoughts that keep coming back."},
    // 81: oppositional defiant
    {"I refuse to comply with rules or requests from people in authority.",
     "Refuses to comply with rules or requests from people in authority."},
    // 82: vocal tic
    {"I repeat my own words or sounds over and over without meaning to.",
     "Repeats their own words or sounds over and over without meaning to."},
    // 83: panic symptom
    {"I feel sick in the stomach during sudden attacks of fear.",
     "Feels sick in the stomach during sudden attacks of fear."},
    // 84: conduct
    {"I force someone into sexual activity.", "Forces someone into sexual activity."},
    // 85: anorexia
    {"I keep my body weight below what is normal for my age and height.",
     "Keeps their body weight below what is normal for their age and height."},
    // 86: oppositional defiant
    {"I deliberately do things that annoy other people.",
     "Deliberately does things that annoy other people."},
    // 87: obsessive-compulsive
    {"I feel very distressed by thoughts or rituals that I cannot control.",
     "Feels very distressed by thoughts or rituals that they cannot control."},
    // 88: panic symptom
    {"I feel dizzy, unsteady, or faint during sudden attacks of fear.",
     "Feels dizzy, unsteady, or faint during sudden attacks of fear."},
    // 89: obsession or compulsion
    {"I perform rituals to reduce my anxiety or to prevent something bad from happening.",
     "Performs rituals to reduce their anxiety or to prevent something bad from happening."},
    // 90: expressive language
    {"I leave out important words when I speak.", "Leaves out important words when they speak."},
    // 91: specific phobia
    {"I go out of my way to avoid a particular thing or situation that I fear.",
     "Goes out of their way to avoid a particular thing or situation that they fear."},
    // 92: oppositional defiant
    {"I blame other people for my mistakes or misbehaviour.",
     "Blames other people for their mistakes or misbehaviour."},
    // 93: major depression: mood
    {"I have lost interest or pleasure in almost all activities.",
     "Has lost interest or pleasure in almost all activities."},
    // 94: inattentive
    {"I have difficulty organising tasks and activities.",
     "Has difficulty organising tasks and activities."},
    // 95: hyperactive-impulsive
    {"I feel restless and find it hard to sit still.",
     "Feels restless and finds it hard to sit still."},
    // 96: receptive language
    {"I find it hard to understand long or complicated sentences.",
     "Finds it hard to understand long or complicated sentences."},
    // 97: motor tic
    {"I make repeated facial movements that I cannot stop (e.g. grimacing, nose twitching).",
     "Makes repeated facial movements that they cannot stop (e.g. grimacing, nose twitching)."},
    // 98: generalised anxiety
    {"I become tired easily.", "Becomes tired easily."},
    // 99: dysthymia
    {"I experience a significant decrease or increase in appetite.",
     "Experiences a significant decrease or increase in appetite."},
    // 100: major depression
    {"I sleep much more than usual.", "Sleeps much more than usual."},
    // 101: inattentive
    {"I avoid or dislike tasks that need sustained mental effort (e.g. preparing reports, filling "
     "in forms).",
     "Avoids or dislikes tasks that need sustained mental effort (e.g. preparing reports, filling "
     "in forms)."},
    // 102: major depression
    {"I move or speak more slowly than usual, or feel agitated.",
     "Moves or speaks more slowly than usual, or feels agitated."},
    // 103: panic symptom
    {"I feel unreal or detached from myself during sudden attacks of fear.",
     "Feels unreal or detached from themself during sudden attacks of fear."},
    // 104: inattentive
    {"I lose things that I need for tasks or activities (e.g. keys, wallet, paperwork, mobile "
     "phone).",
     "Loses things that they need for tasks or activities (e.g. keys, wallet, paperwork, mobile "
     "phone)."},
    // 105: panic symptom
    {"I am afraid of losing control or going crazy during sudden attacks of fear.",
     "Is afraid of losing control or going crazy during sudden attacks of fear."},
    // 106: hyperactive-impulsive
    {"I have difficulty doing leisure activities quietly.",
     "Has difficulty doing leisure activities quietly."},
    // 107: antisocial
    {"I put my own safety or the safety of others at risk (e.g. by driving dangerously).",
     "Puts their own safety or the safety of others at risk (e.g. by driving dangerously)."},
    // 108: oppositional defiant
    {"I am touchy or easily annoyed by other people.",
     "Is touchy or easily annoyed by other people."},
    // 109: post-traumatic: avoidance
    {"I avoid places, people, or activities that remind me of a traumatic event.",
     "Avoids places, people, or activities that remind them of a traumatic event."},
    // 110: specific phobia
    {"My fear of a particular thing or situation interferes with my daily life.",
     "Has a fear of a particular thing or situation that interferes with their daily life."},
    // 111: generalised anxiety
    {"I feel irritable.", "Feels irritable."},
    // 112: oppositional defiant
    {"I get angry and resentful.", "Gets angry and resentful."},
    // 113: expressive language
    {"I have trouble telling a story or describing events in the right order.",
     "Has trouble telling a story or describing events in the right order."},
    // 114: dysthymia: mood
    {"I feel unhappy, sad, or empty.", "Feels unhappy, sad, or empty."},
    // 115: anorexia
    {"I see myself as fat even when other people say I am too thin.",
     "Sees themself as fat even when other people say they are too thin."},
    // 116: conduct
    {"I deliberately set fires intending to cause serious damage.",
     "Deliberately sets fires intending to cause serious damage."},
    // 117: hyperactive-impulsive
    {"I talk excessively.", "Talks excessively."},
    // 118: anorexia; bulimia
    {"I fast or skip meals to control my weight.", "Fasts or skips meals to control their weight."},
    // 119: post-traumatic: avoidance
    {"I cannot remember important parts of a traumatic event.",
     "Cannot remember important parts of a traumatic event."},
    // 120: expressive language
    {"I find it hard to learn and use new words.", "Finds it hard to learn and use new words."},
    // 121: obsessive-compulsive
    {"I spend more than an hour a day on repeated thoughts or rituals.",
     "Spends more than an hour a day on repeated thoughts or rituals."},
    // 122: conduct
    {"I deliberately destroy property that belongs to other people.",
     "Deliberately destroys property that belongs to other people."},
    // 123: panic symptom
    {"I am afraid that I am dying during sudden attacks of fear.",
     "Is afraid that they are dying during sudden attacks of fear."},
    // 124: bulimia
    {"I exercise excessively to avoid putting on weight.",
     "Exercises excessively to avoid putting on weight."},
    // 125: generalised anxiety; dysthymia
    {"I have problems sleeping.", "Has problems sleeping."},
    // 126: generalised anxiety
    {"I have tense or aching muscles.", "Has tense or aching muscles."},
    // 127: major depression
    {"I feel worthless.", "Feels worthless."},
    // 128: vocal tic
    {"I have sudden outbursts of swearing or rude words that I cannot hold back.",
     "Has sudden outbursts of swearing or rude words that they cannot hold back."},
    // 129: hyperactive-impulsive
    {"I blurt out answers before questions have been completed.",
     "Blurts out answers before questions have been completed."},
    // 130: mathematics
    {"I find it hard to handle money (e.g. giving change, keeping a budget).",
     "Finds it hard to handle money (e.g. giving change, keeping a budget)."},
    // 131: reading
    {"I have difficulty understanding what I have read.",
     "Has difficulty understanding what they have read."},
    // 132: phonological
    {"I am hard to understand because of the way I pronounce words.",
     "Is hard to understand because of the way they pronounce words."},
    // 133: receptive language
    {"I misunderstand the meaning of words that other people use.",
     "Misunderstands the meaning of words that other people use."},
    // 134: autism: communication
    {"I use odd or repetitive phrases that other people find unusual.",
     "Uses odd or repetitive phrases that other people find unusual."},
    // 135: conduct
    {"I lie to obtain goods or favours or to avoid obligations.",
     "Lies to obtain goods or favours or to avoid obligations."},
    // 136: major depression
    {"I have recurrent thoughts of committing suicide.",
     "Has recurrent thoughts of committing suicide."},
    // 137: antisocial
    {"I fail to keep a steady job or to pay my debts.",
     "Fails to keep a steady job or to pay their debts."},
    // 138: autism: social
    {"I don\x92t seek to share enjoyment, interests, or achievements with other people.",
     "Doesn\x92t seek to share enjoyment, interests, or achievements with other people."},
    // 139: antisocial
    {"I get into trouble with the police.", "Gets into trouble with the police."},
    // 140: autism: restricted
    {"I make repetitive mannerisms with my hands or body (e.g. hand flapping, rocking).",
     "Makes repetitive mannerisms with their hands or body (e.g. hand flapping, rocking)."},
    // 141: mathematics: core
    {"I have trouble with mathematics.", "Has trouble with mathematics."},
    // 142: autism: restricted
    {"I am fascinated by parts of objects rather than the whole object.",
     "Is fascinated by parts of objects rather than the whole object."},
    // 143: generalised anxiety: worry
    {"I feel anxious or worried most days.", "Feels anxious or worried most days."},
    // 144: post-traumatic: re-experiencing
    {"I become very upset when something reminds me of a traumatic event.",
     "Becomes very upset when something reminds them of a traumatic event."},
    // 145: motor tic
    {"I feel an urge to make a certain movement again and again until it feels right.",
     "Feels an urge to make a certain movement again and again until it feels right."},
    // 146: post-traumatic: avoidance
    {"I have low expectations for my future (e.g. I do not expect to have a career, marriage, "
     "children, or a normal life span).",
     "Has low expectations for their future (e.g. they do not expect to have a career, marriage, "
     "children, or a normal life span)."},
    // 147: bulimia
    {"I binge eat at least twice a week.", "Binge eats at least twice a week."},
    // 148: written expression
    {"I have difficulty organising my ideas into paragraphs when I write.",
     "Has difficulty organising their ideas into paragraphs when they write."},
    // 149: dysthymia
    {"I feel hopeless about the future.", "Feels hopeless about the future."},
    // 150: hyperactive-impulsive
    {"I have difficulty waiting my turn (e.g. in queues).",
     "Has difficulty waiting their turn (e.g. in queues)."},
    // 151: bulimia
    {"I feel disgusted, depressed, or guilty after overeating.",
     "Feels disgusted, depressed, or guilty after overeating."},
    // 152: antisocial
    {"I am irritable and aggressive towards other people.",
     "Is irritable and aggressive towards other people."},
    // 153: post-traumatic: re-experiencing
    {"My body reacts strongly when I am reminded of a traumatic event (e.g. my heart races or I "
     "start sweating).",
     "Has strong bodily reactions when reminded of a traumatic event (e.g. their heart races or "
     "they start sweating)."},
    // 154: anorexia
    {"How I feel about myself is influenced by my body shape and weight.",
     "Lets their body shape and weight influence their self-esteem."},
    // 155: major depression
    {"I blame myself for things that are not my fault.",
     "Blames themself for things that are not their fault."},
    // 156: specific phobia
    {"I endure a particular thing or situation that I fear only with intense anxiety or distress.",
     "Endures a particular thing or situation that they fear only with intense anxiety or "
     "distress."},
    // 157: post-traumatic: avoidance
    {"I feel detached or cut off from other people since a traumatic event.",
     "Feels detached or cut off from other people since a traumatic event."},
    // 158: inattentive
    {"I am easily distracted by things going on around me.",
     "Is easily distracted by things going on around them."},
    // 159: autism: social
    {"I have difficulty making friends with people of my own age.",
     "Has difficulty making friends with people of their own age."},
    // 160: bulimia
    {"I worry about getting fat or overweight.", "Worries about getting fat or overweight."},
    // 161: anorexia
    {"I deny that my low body weight is a serious problem.",
     "Denies that their low body weight is a serious problem."},
    // 162: antisocial
    {"I feel no remorse after hurting, mistreating, or stealing from someone.",
     "Feels no remorse after hurting, mistreating, or stealing from someone."},
    // 163: panic symptom
    {"I feel numbness or tingling during sudden attacks of fear.",
     "Feels numbness or tingling during sudden attacks of fear."},
    // 164: inattentive
    {"I am forgetful in my daily activities (e.g. I forget appointments or to pay bills).",
     "Is forgetful in their daily activities (e.g. forgets appointments or to pay bills)."},
    // 165: autism: communication
    {"I take what people say too literally (e.g. I miss jokes or sarcasm).",
     "Takes what people say too literally (e.g. misses jokes or sarcasm)."},
    // 166: phonological
    {"I mix up the order of sounds within words.", "Mixes up the order of sounds within words."},
    // 167: generalised anxiety
    {"I find it difficult to control my worrying.",
     "Finds it difficult to control their worrying."},
    // 168: antisocial
    {"I ignore the rights of other people to get what I want.",
     "Ignores the rights of other people to get what they want."},
    // 169: post-traumatic: avoidance
    {"I have found it hard to feel loving or happy since a traumatic event.",
     "Has found it hard to feel loving or happy since a traumatic event."},
    // 170: major depression
    {"I have recurrent thoughts of death.", "Has recurrent thoughts of death."},
    // 171: phonological
    {"My speech sounds unclear or immature to other people.",
     "Has speech that sounds unclear or immature to other people."},
    // 172: expressive language
    {"I express myself less well in speech than other people of my age.",
     "Expresses themself less well in speech than other people of their age."},
    // 173: post-traumatic: arousal
    {"I am always on guard or watchful for danger.", "Is always on guard or watchful for danger."},
    // 174: conduct
    {"I steal things of value without confronting anyone (e.g. shoplifting, forgery).",
     "Steals things of value without confronting anyone (e.g. shoplifting, forgery)."},
    // 175: panic symptom
    {"I have chills or hot flushes during sudden attacks of fear.",
     "Has chills or hot flushes during sudden attacks of fear."},
    // 176: generalised anxiety: worry
    {"I worry excessively about a number of events or activities (e.g. my work or academic "
     "performance, my future).",
     "Worries excessively about a number of events or activities (e.g. work or academic "
     "performance, their future)."},
    // 177: expressive language
    {"I use the wrong words when I try to say something.",
     "Uses the wrong words when they try to say something."},
    // 178: autism: social
    {"I find it hard to understand or respond to the feelings of other people.",
     "Finds it hard to understand or respond to the feelings of other people."},
    // 179: conduct
    {"I stay out all night without telling the people I live with.",
     "Stays out all night without telling the people they live with."},
    // 180: reading
    {"I have to read things several times before I understand them.",
     "Has to read things several times before they understand them."},
    // 181: mathematics
    {"I have trouble understanding mathematical symbols or word problems.",
     "Has trouble understanding mathematical symbols or word problems."},
    // 182: conduct
    {"I skip work or classes without a good reason.",
     "Skips work or classes without a good reason."},
    // 183: obsessive-compulsive
    {"My repeated thoughts or rituals get in the way of my work, social life, or daily routine.",
     "Has repeated thoughts or rituals that get in the way of their work, social life, or daily "
     "routine."},
    // 184: post-traumatic: arousal
    {"I am easily startled (e.g. by sudden noises).",
     "Is easily startled (e.g. by sudden noises)."},
    // 185: conduct
    {"I break into someone else's house, building, or car.",
     "Breaks into other people\x92s houses, buildings, or cars."},
    // 186: written expression
    {"My handwriting is very hard to read.", "Has handwriting that is very hard to read."},
    // 187: obsessive-compulsive
    {"I recognise that my unwanted thoughts come from my own mind.",
     "Recognises that their unwanted thoughts come from their own mind."},
    // 188: oppositional defiant
    {"I am spiteful or vindictive.", "Is spiteful or vindictive."},
    // 189: major depression
    {"I feel tired or like I don\x92t have the energy to do things.",
     "Feels tired or like they don\x92t have the energy to do things."},
    // 190: post-traumatic: arousal; major depression
    {"I have problems concentrating or making decisions.",
     "Has problems concentrating or making decisions."},
}};

constexpr bool EveryItemHasBothWordings() {
  for (int item = 1; item <= kItemCount; ++item) {
    if (kWordings[item].self.empty() || kWordings[item].observer.empty()) {
      return false;
    }
  }
  return kWordings[0].self.empty() && kWordings[0].observer.empty();
}
static_assert(EveryItemHasBothWordings(), "an item is missing a wording");

}  // namespace

std::string_view ItemBank::Self(int item) {
  return IsItemNumber(item) ? kWordings[item].self : std::string_view();
}

std::string_view ItemBank::Observer(int item) {
  return IsItemNumber(item) ? kWordings[item].observer : std::string_view();
}

}  // namespace acv
